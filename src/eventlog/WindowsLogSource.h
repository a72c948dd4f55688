#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// Told once per read of a log file when part of it could not be trusted, with a short text
// such as "3 records skipped: chunk checksum mismatch".
using TLogFileNotice = std::function<void(const std::string& text)>;

// The records of a Windows log file that the scan uses, in the event-record layout, kept
// oldest first in one pool.
class TEventRecordPool {
  public:
    // Records are built at the end of Bytes(); Commit(start, order) makes the bytes from
    // start on one record. order sorts records read out of order (see SortByOrder).
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    void Commit(std::size_t start, std::uint64_t order);
    // Orders by the order keys, keeping the read order among equal keys.
    void SortByOrder();
    void Clear();

    std::size_t Count() const { return entries_.size(); }
    std::span<const std::uint8_t> Record(std::size_t index) const;

  private:
    struct TEntry {
        std::uint64_t Order;
        std::uint32_t Offset;
        std::uint32_t Length;
    };
    std::vector<std::uint8_t> bytes_;
    std::vector<TEntry> entries_;
};

// What a loader could not use.
struct TLoadDamage {
    std::uint64_t SkippedRecords = 0;
    std::string Why;  // the first problem met

    void Skip(std::uint64_t records, const char* why);
};

// A Windows event log file read as an event log, newest first: the whole file is read on
// Open, the records the scan uses are kept, the rest is dropped. Account identifiers are
// named without an account database.
class TWindowsLogSource : public TEventLogSource {
  public:
    TWindowsLogSource(std::string path, TLogFileNotice notice);

    bool Open() override;
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override;
    bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) override;
    void Close() override;

    // What the last Open could not trust.
    const TLoadDamage& Damage() const { return damage_; }

  protected:
    // Reads the records of the file into pool; false when it is not readable at all.
    virtual bool Load(std::ifstream& file, std::uint64_t size, TEventRecordPool& pool,
                      TLoadDamage& damage) = 0;

  private:
    std::string path_;
    TLogFileNotice notice_;
    TEventRecordPool pool_;
    TLoadDamage damage_;
    std::size_t remaining_ = 0;
    bool open_ = false;
};

// Reads size bytes at offset; false when the file holds fewer.
bool ReadFileBytes(std::ifstream& file, std::uint64_t offset, std::uint8_t* out, std::size_t size);

// True for the event numbers the scan and the reports use; other records are not kept.
bool IsKeptEventId(std::uint32_t eventId);
