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

// An event's moment: its UTC seconds and the local time shown for it.
struct TEventTime {
    std::uint32_t Utc;
    DateTimeValue Local;
};

void ApplyBoot(SessionTable& table, TEventTime t, std::string kernel) {
    if (table.empty() || HasTime(table.back().BootTime)) OpenRecord(table);
    table.back().BootTime = t.Local;
    table.back().BootUtc = t.Utc;
    if (!kernel.empty()) table.back().Kernel = std::move(kernel);
}

// The system version that a Windows start writes after its boot event: "10.00. 19045".
std::string SystemVersionText(const std::vector<std::string>& strings) {
    std::string text;
    for (const std::string& s : strings) {
        if (s.empty()) continue;
        if (!text.empty()) text += ' ';
        text += s;
    }
    return text;
}

void ApplyShutdown(SessionTable& table, TEventTime t) {
    // A record that so far holds only a user name is reused.
    if (table.empty() || table.back().ShutdownTime >= 1.0 || HasTime(table.back().BootTime))
        OpenRecord(table);
    table.back().ShutdownTime = t.Local;
    table.back().ShutdownUtc = t.Utc;
}

void ApplyUser(SessionTable& table, TEventTime t, std::string name) {
    // An event older than the boot that began the last record belongs to an earlier session;
    // one in the boot's own second still belongs to it. Compared in UTC: in the hour that
    // local time repeats, an earlier event can show a later local time.
    if (table.empty() || (HasTime(table.back().BootTime) && table.back().BootUtc > t.Utc))
        OpenRecord(table);
    table.back().UserName = std::move(name);
}

// Read backwards, the version event comes before the boot it belongs to; it waits for that
// boot rather than opening a record of its own, so the sessions are those of the three rules.
struct TPendingVersion {
    std::string Text;
    std::uint32_t Utc = 0;
};

void ApplyEvent(SessionTable& table, TEventLogSource& source, std::span<const std::uint8_t> record,
                const TEventRecordHead& head, const TUtcOffsetAt& offsetAt,
                TPendingVersion& version) {
    auto at = [&] {
        return TEventTime{head.TimeGenerated, EventLocalTime(head.TimeGenerated, offsetAt)};
    };
    switch (head.EventId & 0xFFFFu) {
        case eiBoot: {
            std::string kernel;
            if (head.NumStrings > 0) {
                std::vector<std::string> strings = EventRecordStrings(record, head);
                if (!strings.empty()) kernel = strings.front();
            }
            if (kernel.empty() && !version.Text.empty() && version.Utc >= head.TimeGenerated)
                kernel = version.Text;
            version = {};
            ApplyBoot(table, at(), std::move(kernel));
            break;
        }
        case eiShutdown:
            version = {};
            ApplyShutdown(table, at());
            break;
        case eiSystemVersion:
            version = {SystemVersionText(EventRecordStrings(record, head)), head.TimeGenerated};
            break;
        case eiUserControl: {
            std::string name = AccountOf(source, record, head);
            if (IsIgnoredAccount(name)) break;
            ApplyUser(table, at(), std::move(name));
            break;
        }
        default:
            break;
    }
}

// Reads the next records into buffer, growing it as the source asks. False at the end of the
// log or on any failure.
bool ReadRecords(TEventLogSource& source, std::vector<std::uint8_t>& buffer,
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
    TPendingVersion version;
    while (ReadRecords(source, buffer, bytesRead)) {
        // A read may return several whole records, as the Windows service does when they fit;
        // each states its length. A length that does not fit ends what this read brought.
        std::span<const std::uint8_t> rest(buffer.data(), bytesRead);
        TEventRecordHead head;
        while (ReadEventRecordHead(rest, head) && head.Length >= kEventRecordHeadSize &&
               head.Length <= rest.size()) {
            ApplyEvent(table, source, rest.first(head.Length), head, offsetAt, version);
            rest = rest.subspan(head.Length);
        }
    }
    source.Close();
}
