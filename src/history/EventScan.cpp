#include "history/EventScan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

bool IsIgnoredAccount(const std::string& name) {
    return name.find("N/A") != std::string::npos || name.find("SYSTEM") != std::string::npos ||
           name.find("LOCAL SERVICE") != std::string::npos;
}

void OpenRecord(SessionTable& table) {
    table.emplace_back();
}

// An event's moment: its UTC seconds and the local time shown for it.
struct TEventTime {
    std::uint32_t Utc;
    DateTimeValue Local;
};

void ApplyBoot(SessionTable& table, TEventTime t, TSharedText kernel) {
    if (table.empty() || HasTime(table.back().BootTime)) OpenRecord(table);
    table.back().BootTime = t.Local;
    table.back().BootUtc = t.Utc;
    if (!kernel.empty()) table.back().Kernel = std::move(kernel);
}

void ApplyShutdown(SessionTable& table, TEventTime t) {
    // A record that so far holds only a user name is reused.
    if (table.empty() || table.back().ShutdownTime >= 1.0 || HasTime(table.back().BootTime))
        OpenRecord(table);
    table.back().ShutdownTime = t.Local;
    table.back().ShutdownUtc = t.Utc;
}

void ApplyUser(SessionTable& table, TEventTime t, TSharedText name) {
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

// The last sign of life of a boot that ended without a shutdown comes, read backwards, before
// the boot's own events; it waits for that boot in the same way.
struct TPending {
    TPendingVersion Version;
    std::uint32_t LastSeen = 0;
    TTextShare Texts;  // the user names and kernels, one copy each for the whole table
};

void ApplyEvent(SessionTable& table, const TLogEvent& event, const TUtcOffsetAt& offsetAt,
                TPending& pending) {
    TPendingVersion& version = pending.Version;
    const auto utc = static_cast<std::uint32_t>(event.Utc);
    auto at = [&] { return TEventTime{utc, EventLocalTime(utc, offsetAt)}; };
    switch (event.Kind) {
        case ekBoot: {
            std::string_view kernel = event.Detail;
            if (kernel.empty() && !version.Text.empty() && version.Utc >= utc)
                kernel = version.Text;
            ApplyBoot(table, at(), pending.Texts.Get(kernel));
            version = {};
            // Only a boot that ended without a shutdown has a last sign of life.
            if (pending.LastSeen >= utc && !HasTime(table.back().ShutdownTime))
                table.back().LastSeenUtc = pending.LastSeen;
            pending.LastSeen = 0;
            break;
        }
        case ekShutdown:
            version = {};
            pending.LastSeen = 0;
            ApplyShutdown(table, at());
            break;
        case ekLastSeen:
            pending.LastSeen = utc;
            break;
        case ekSystemVersion:
            version = {event.Detail, utc};
            break;
        case ekUser:
            // A user the reader could not name counts as "N/A", and so is dropped.
            if (event.User.empty() || IsIgnoredAccount(event.User)) break;
            ApplyUser(table, at(), pending.Texts.Get(event.User));
            break;
        default:
            // Sleep and wake are paired apart; they change no session of the table.
            break;
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

void ScanEventLog(SessionTable& table, TEventLogSource& source, const TUtcOffsetAt& offsetAt,
                  TSleepPeriods* sleeps) {
    table.clear();
    if (sleeps) sleeps->clear();
    if (!source.Open()) return;
    TPending pending;
    TSleepPairing pairing;
    TLogEvent event;
    while (source.Next(event)) {
        // Times are kept as unsigned 32-bit seconds; a reader hands out nothing outside them.
        if (event.Utc < 0 || event.Utc > UINT32_MAX) continue;
        ApplyEvent(table, event, offsetAt, pending);
        if (sleeps) pairing.Add(event);
    }
    source.Close();
    if (sleeps) *sleeps = pairing.Finish();
}
