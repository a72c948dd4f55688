#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/DateTime.h"

// One power-on period. Times are local, in whole seconds; 1.0 or less means none recorded.
struct SessionRecord {
    DateTimeValue BootTime = 0;
    DateTimeValue ShutdownTime = 0;
    std::int32_t DurationSeconds = 0;  // filled by BuildRows
    std::string StatusText;            // filled by BuildRows
    std::string UserName;
};

// Index 0 is the newest session: the log is read backwards.
using SessionTable = std::vector<SessionRecord>;

// Offset of local time from UTC in whole minutes, positive east of Greenwich.
using UtcOffsetMinutes = std::int32_t;

inline bool HasTime(DateTimeValue t) {
    return t > 1.0;
}
