#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <utility>
#include <vector>

#include "eventlog/EventLogSource.h"

// The events of a Windows log file that the history uses, kept oldest first.
class TLogEventPool {
  public:
    void Add(TLogEvent event) { events_.push_back(std::move(event)); }
    // Orders by the events' order keys, keeping the read order among equal keys.
    void SortByOrder();
    void Clear() { events_ = {}; }

    std::size_t Count() const { return events_.size(); }
    const TLogEvent& Event(std::size_t index) const { return events_[index]; }

  private:
    std::vector<TLogEvent> events_;
};

// What a loader could not use.
struct TLoadDamage {
    std::uint64_t SkippedRecords = 0;
    std::string Why;  // the first problem met
    // A read came up short of the size the file had when it was opened: the file shrank or
    // was replaced while it was read, so what was read is no one state of the log. Loading
    // stops there.
    bool Changed = false;

    void Skip(std::uint64_t records, const char* why);
};

// A Windows event log file read as an event log, newest first: the whole file is read on
// Open, the events the history uses are kept, the rest is dropped. Account identifiers are
// named without an account database.
class TWindowsLogSource : public TEventLogSource {
  public:
    TWindowsLogSource(std::string path, TLogFileNotice notice);

    bool Open() override;
    bool Next(TLogEvent& event) override;
    void Close() override;
    TLogReadReport ReadReport() const override { return report_; }

    // Open on a stream of the given size that stands for the file (Open's own file, or a
    // test's stand-in for a file that changes while it is read).
    bool OpenStream(std::istream& file, std::uint64_t size);

    // What the last Open could not trust.
    const TLoadDamage& Damage() const { return damage_; }

  protected:
    // Reads the events of the file into pool; false when it is not readable at all.
    virtual bool Load(std::istream& file, std::uint64_t size, TLogEventPool& pool,
                      TLoadDamage& damage) = 0;

  private:
    std::string path_;
    TLogFileNotice notice_;
    TLogEventPool pool_;
    TLoadDamage damage_;
    TLogReadReport report_;
    std::size_t remaining_ = 0;
    bool open_ = false;
};

// Reads size bytes at offset; false when the file holds fewer.
bool ReadFileBytes(std::istream& file, std::uint64_t offset, std::uint8_t* out, std::size_t size);

// True for the event numbers the history and the reports use; other records are not kept.
// The power events' numbers pass here; their provider decides later.
bool IsKeptEventId(std::uint32_t eventId);
