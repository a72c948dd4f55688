#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "eventlog/EventLogSource.h"
#include "platform/wtmpdb/WtmpdbDatabase.h"

// Times are kept as unsigned 32-bit seconds, to 2106-02-07: a wtmpdb time in microseconds
// is used when it lies in [0, kWtmpdbTimeLimit).
inline constexpr std::int64_t kMicrosPerSecond = 1000000;
inline constexpr std::int64_t kWtmpdbTimeLimit = (std::int64_t{UINT32_MAX} + 1) * kMicrosPerSecond;

// The events of wtmpdb rows gathered from several databases, put in time order. Each boot row
// gives its boot and, when it has one, its orderly shutdown; each login row a user event.
class TWtmpdbEvents {
  public:
    // Rows come as each database holds them, one database after the other; file is the
    // database's place in that list.
    void Add(const TWtmpdbRow& row, std::uint32_t file);
    // Orders the events by time, oldest first. Events of the same microsecond keep the order
    // of their databases (the one whose events start earlier first) and of their rows.
    void Sort();
    void Clear();

    std::size_t Size() const { return events_.size(); }
    // The event at index after Sort; its Order is index + 1.
    void Get(std::size_t index, TLogEvent& event) const;
    // Rows and shutdowns left out for a time that is missing, out of range or, for a
    // shutdown, before its boot.
    std::uint64_t Skipped() const { return skipped_; }

  private:
    struct TStored {
        std::int64_t Micros;
        std::uint32_t Row;  // the row's place in reading order
        std::uint32_t File;
        std::uint32_t Text;  // index into texts_
        TEventKind Kind;
        std::uint8_t Logout;  // 1: from the row's Logout, which follows its Login
    };
    std::uint32_t TextIndex(std::string_view raw);

    std::vector<TStored> events_;                    // boots and logins; after Sort, every event
    std::vector<TStored> shutdowns_;                 // until Sort
    std::vector<std::string> texts_{std::string()};  // made safe to show; [0] is empty
    std::unordered_map<std::string, std::uint32_t> textIndex_;  // by the raw text
    std::string key_;
    std::uint32_t rows_ = 0;
    std::uint64_t skipped_ = 0;
};
