#include "base/Clock.h"

#include "platform/win32/Windows_p.h"

namespace {

// FILETIME counts 100 ns ticks from 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kUnixEpochSeconds = 11644473600;

std::int64_t Ticks(const FILETIME& ft) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) |
                                     ft.dwLowDateTime);
}

FILETIME FileTime(std::int64_t ticks) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return ft;
}

}  // namespace

std::uint64_t MillisecondsSinceBoot() {
    // 64 bits: the 32-bit tick count wraps after 49.7 days of uptime.
    return GetTickCount64();
}

std::int32_t LocalUtcOffsetSeconds(std::int64_t unixSeconds) {
    // Moments the system cannot express (before 1601, after 30827) have no rule: UTC.
    if (unixSeconds < -kUnixEpochSeconds || unixSeconds > 900000000000LL) return 0;
    const std::int64_t ticks = (unixSeconds + kUnixEpochSeconds) * kTicksPerSecond;
    FILETIME utc = FileTime(ticks);
    SYSTEMTIME utcParts;
    SYSTEMTIME localParts;
    FILETIME local;
    if (!FileTimeToSystemTime(&utc, &utcParts)) return 0;
    // The zone's rules for that moment's year, so a past event gets the offset it had then
    // (daylight saving or not, and the zone's rules of that year), not today's.
    TIME_ZONE_INFORMATION zone{};
    const bool forYear = GetTimeZoneInformationForYear(utcParts.wYear, nullptr, &zone) != FALSE;
    const BOOL ok =
        SystemTimeToTzSpecificLocalTime(forYear ? &zone : nullptr, &utcParts, &localParts);
    if (!ok || !SystemTimeToFileTime(&localParts, &local)) return 0;
    return static_cast<std::int32_t>((Ticks(local) - ticks) / kTicksPerSecond);
}

std::int64_t UnixTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ticks(now) / kTicksPerSecond - kUnixEpochSeconds;
}
