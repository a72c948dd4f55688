#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/WindowsLogTestFile.h"
#include "eventlog/EventRecord.h"
#include "eventlog/EventRecordLog.h"
#include "history/EventScan.h"

// An event log in memory, newest event first, that keeps the read protocol strictly: a read
// into a buffer too small fails with 122 and does not advance.
class TFakeEventLog : public TEventRecordLog {
  public:
    struct TEvent {
        std::uint32_t EventId = 0;
        std::uint32_t Time = 0;
        std::string Account;  // the SID bytes; the look-up returns them as the name
        bool LookupFails = false;
        bool LookupThrows = false;
    };

    // Events given oldest first, as they happened; the log hands them out newest first.
    explicit TFakeEventLog(std::vector<TEvent> inTimeOrder) : events_(std::move(inTimeOrder)) {}

    bool OpenFails = false;
    // As the Windows service does: a read returns as many whole records as fit the buffer.
    bool Pack = false;
    std::uint32_t FailWithErrorAt = UINT32_MAX;  // index into the read order
    int Opens = 0;
    int Closes = 0;
    int FailedReads = 0;

    bool Open() override {
        ++Opens;
        next_ = 0;
        return !OpenFails;
    }

    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override {
        if (next_ == FailWithErrorAt) {
            error = erReadFault;
            return false;
        }
        if (next_ >= events_.size()) {
            ++FailedReads;
            error = erEndOfLog;
            return false;
        }
        const TEvent& e = events_[events_.size() - 1 - next_];
        std::size_t size = EventRecordSize(e.Account.size());
        if (buffer.size() < size) {
            ++FailedReads;
            bytesNeeded = static_cast<std::uint32_t>(size);
            error = erInsufficientBuffer;
            return false;
        }
        bytesRead = 0;
        do {
            const TEvent& n = events_[events_.size() - 1 - next_];
            std::size_t nsize = EventRecordSize(n.Account.size());
            if (buffer.size() - bytesRead < nsize) break;
            WriteEventRecord(
                buffer.subspan(bytesRead), n.Time, n.EventId,
                {reinterpret_cast<const std::uint8_t*>(n.Account.data()), n.Account.size()});
            bytesRead += static_cast<std::uint32_t>(nsize);
            lastRead_ = &n;
            ++next_;
        } while (Pack && next_ < events_.size() && next_ != FailWithErrorAt);
        return true;
    }

    bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) override {
        if (lastRead_ != nullptr && lastRead_->LookupThrows) throw std::runtime_error("lookup");
        if (lastRead_ != nullptr && lastRead_->LookupFails) return false;
        name.assign(reinterpret_cast<const char*>(sid.data()), sid.size());
        return true;
    }

    void Close() override { ++Closes; }

  private:
    std::vector<TEvent> events_;
    std::size_t next_ = 0;
    const TEvent* lastRead_ = nullptr;
};

inline TFakeEventLog::TEvent Boot(std::uint32_t t) {
    return {eiBoot, t, {}, false, false};
}
inline TFakeEventLog::TEvent Shutdown(std::uint32_t t) {
    return {eiShutdown, t, {}, false, false};
}
inline TFakeEventLog::TEvent User(std::uint32_t t, std::string name) {
    return {eiUserControl, t, std::move(name), false, false};
}

// Times in these tests are UTC, so local time equals the event time.
inline std::int32_t NoOffset(std::int64_t) {
    return 0;
}
