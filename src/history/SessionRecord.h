#pragma once

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "history/SharedText.h"

// One power-on period. Times are local, in whole seconds; 1.0 or less means none recorded.
// The same moments are kept in UTC as well: local time jumps at daylight-saving changes, so
// durations, the order of events and the day count are worked out from the UTC seconds.
struct SessionRecord {
    DateTimeValue BootTime = 0;
    DateTimeValue ShutdownTime = 0;
    std::int64_t AsleepSeconds = 0;    // filled by the history: the sleep within the session
    std::int32_t DurationSeconds = 0;  // filled by BuildRows
    std::uint32_t BootUtc = 0;         // Unix seconds; valid when BootTime is present
    std::uint32_t ShutdownUtc = 0;     // Unix seconds; valid when ShutdownTime is present
    std::uint32_t LastSeenUtc = 0;     // a boot that ended without a shutdown: its last sign of
                                       // life in Unix seconds, where the log knows it; else 0
    std::string_view StatusText;       // filled by BuildRows; one of the fixed status texts
    // Shared between the sessions that have the same: a long log names few users and kernels.
    TSharedText UserName;
    TSharedText Kernel;  // the kernel or system version the boot ran, where the log says
    bool Quiet = false;  // filled by the report: the session met the quiet hours
};

// Index 0 is the newest session: the log is read backwards. A deque grows without copying
// what it holds, so a long scan never needs room for the table twice over.
using SessionTable = std::deque<SessionRecord>;

// Offset of local time from UTC in whole minutes, positive east of Greenwich.
using UtcOffsetMinutes = std::int32_t;

inline bool HasTime(DateTimeValue t) {
    return t > 1.0;
}
