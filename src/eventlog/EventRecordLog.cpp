#include "eventlog/EventRecordLog.h"

#include "eventlog/EventRecord.h"

namespace {

// A record larger than this is taken as a broken service rather than allocated.
constexpr std::uint32_t kMaxRecordSize = 16u << 20;

}  // namespace

void TEventRecordLog::ForgetPendingRecords() {
    pending_ = {};
}

bool TEventRecordLog::ReadRecords() {
    if (buffer_.size() < kEventRecordHeadSize) buffer_.resize(kEventRecordHeadSize);
    for (;;) {
        std::uint32_t needed = 0;
        std::uint32_t bytesRead = 0;
        TEventReadError error = erNone;
        if (ReadNext(buffer_, bytesRead, needed, error)) {
            if (bytesRead > buffer_.size()) bytesRead = static_cast<std::uint32_t>(buffer_.size());
            pending_ = std::span<const std::uint8_t>(buffer_.data(), bytesRead);
            return true;
        }
        // A service that keeps asking for room it already has would loop for ever.
        if (error != erInsufficientBuffer || needed <= buffer_.size() || needed > kMaxRecordSize)
            return false;
        buffer_.resize(needed);
    }
}

bool TEventRecordLog::Next(TLogEvent& event) {
    const TAccountLookup lookup = [this](std::span<const std::uint8_t> sid, std::string& name) {
        return LookupAccount(sid, name);
    };
    for (;;) {
        // A read may return several whole records, as the Windows service does when they
        // fit; each states its length. A length that does not fit ends what that read brought.
        TEventRecordHead head;
        while (ReadEventRecordHead(pending_, head) && head.Length >= kEventRecordHeadSize &&
               head.Length <= pending_.size()) {
            std::span<const std::uint8_t> record = pending_.first(head.Length);
            pending_ = pending_.subspan(head.Length);
            if (DecodeEventRecord(record, head, lookup, event)) return true;
        }
        pending_ = {};
        if (!ReadRecords()) return false;
    }
}
