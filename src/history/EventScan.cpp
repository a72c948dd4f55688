#include "history/EventScan.h"

#include <string>
#include <vector>

#include "eventlog/EventRecord.h"

namespace {

// A record larger than this is taken as a broken source rather than allocated.
constexpr std::uint32_t kMaxRecordSize = 16u << 20;

bool IsIgnoredAccount(const std::string& name) {
    return name.find("N/A") != std::string::npos || name.find("SYSTEM") != std::string::npos ||
           name.find("LOCAL SERVICE") != std::string::npos;
}

std::string AccountOf(TEventLogSource& source, std::span<const std::uint8_t> record,
                      const TEventRecordHead& head) {
    std::span<const std::uint8_t> sid = EventRecordSid(record, head);
    if (sid.empty()) return "N/A";
    std::string name;
    try {
        if (!source.LookupAccount(sid, name)) return "N/A";
    } catch (...) {
        return "N/A";
    }
    return name;
}

void OpenRecord(SessionTable& table) {
    table.emplace_back();
}

void ApplyBoot(SessionTable& table, DateTimeValue t) {
    if (table.empty() || HasTime(table.back().BootTime)) OpenRecord(table);
    table.back().BootTime = t;
}

void ApplyShutdown(SessionTable& table, DateTimeValue t) {
    // A record that so far holds only a user name is reused.
    if (table.empty() || table.back().ShutdownTime >= 1.0 || HasTime(table.back().BootTime))
        OpenRecord(table);
    table.back().ShutdownTime = t;
}

void ApplyUser(SessionTable& table, DateTimeValue t, std::string name) {
    // An event older than the boot that began the last record belongs to an earlier session;
    // one in the boot's own second still belongs to it.
    if (table.empty() || (HasTime(table.back().BootTime) && table.back().BootTime > t))
        OpenRecord(table);
    table.back().UserName = std::move(name);
}

// Reads the next record into buffer, growing it as the source asks. False at the end of the
// log or on any failure.
bool ReadRecord(TEventLogSource& source, std::vector<std::uint8_t>& buffer,
                std::uint32_t& bytesRead) {
    for (;;) {
        std::uint32_t needed = 0;
        TEventReadError error = erNone;
        bytesRead = 0;
        if (source.ReadNext(buffer, bytesRead, needed, error)) {
            if (bytesRead > buffer.size()) bytesRead = static_cast<std::uint32_t>(buffer.size());
            return true;
        }
        // A source that keeps asking for room it already has would loop for ever.
        if (error != erInsufficientBuffer || needed <= buffer.size() || needed > kMaxRecordSize)
            return false;
        buffer.resize(needed);
    }
}

}  // namespace

UtcOffsetMinutes ComputeUtcOffsetMinutes(const TUtcOffsetAt& offsetAt,
                                         std::int64_t nowUnixSeconds) {
    if (!offsetAt) return 0;
    std::int32_t seconds = offsetAt(nowUnixSeconds);
    return seconds / 60;
}

DateTimeValue EventLocalTime(std::uint32_t timeGenerated, const TUtcOffsetAt& offsetAt) {
    std::int64_t utc = timeGenerated;
    std::int64_t offset = offsetAt ? offsetAt(utc) : 0;
    return DateTimeFromUnixSeconds(utc + offset);
}

void ScanEventLog(SessionTable& table, TEventLogSource& source, const TUtcOffsetAt& offsetAt) {
    table.clear();
    if (!source.Open()) return;
    std::vector<std::uint8_t> buffer(kEventRecordHeadSize);
    std::uint32_t bytesRead = 0;
    while (ReadRecord(source, buffer, bytesRead)) {
        std::span<const std::uint8_t> record(buffer.data(), bytesRead);
        TEventRecordHead head;
        if (!ReadEventRecordHead(record, head)) continue;
        switch (head.EventId & 0xFFFFu) {
            case eiBoot:
                ApplyBoot(table, EventLocalTime(head.TimeGenerated, offsetAt));
                break;
            case eiShutdown:
                ApplyShutdown(table, EventLocalTime(head.TimeGenerated, offsetAt));
                break;
            case eiUserControl: {
                std::string name = AccountOf(source, record, head);
                if (IsIgnoredAccount(name)) break;
                ApplyUser(table, EventLocalTime(head.TimeGenerated, offsetAt), std::move(name));
                break;
            }
            default:
                break;
        }
    }
    source.Close();
}
