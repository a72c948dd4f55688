#pragma once

#include <cstdint>
#include <vector>

#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"

inline const std::int64_t kEvening = UtcSeconds(2021, 6, 1, 22, 0, 0);

// A night of sleep whose wake names its times, an afternoon nap whose wake does not, a wake
// with no sleep before it, the same numbers from other providers, and a last sleep with no
// wake before the shutdown.
inline std::vector<TWinEvent> Nights() {
    std::vector<TWinEvent> events = {BootEvent(kEvening - 3600), SleepEvent(kEvening)};
    TWinEvent otherSleep = SleepEvent(kEvening + 60);
    otherSleep.Provider = "Microsoft-Windows-Kernel-General";
    events.push_back(otherSleep);
    events.push_back(OtherEvent(1, kEvening + 70));  // Tcpip's 1 is no wake
    // Logged two minutes after the wake, which it dates to 06:30:00 with a fraction.
    events.push_back(WakeEvent(kEvening + 8 * 3600 + 30 * 60 + 120,
                               "\xE2\x80\x8E"
                               "2021-06-01T22:00:05.1234567Z",
                               "2021-06-02T06:30:00.5000000Z"));
    events.push_back(SleepEvent(kEvening + 16 * 3600));
    events.push_back(WakeEvent(kEvening + 17 * 3600, "", ""));
    events.push_back(WakeEvent(kEvening + 18 * 3600, "not a time", "2021-06-02T16:00:00Z"));
    events.push_back(SleepEvent(kEvening + 20 * 3600));
    events.push_back(ShutdownEvent(kEvening + 21 * 3600));
    return events;
}
