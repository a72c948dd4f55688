#pragma once

#include <cstdint>

#include "base/DateTime.h"
#include "history/SessionRecord.h"

// Records for tests whose local times are UTC, so both forms of each time agree.
inline std::uint32_t UtcOf(DateTimeValue t) {
    return static_cast<std::uint32_t>(WholeSeconds(t) - WholeSeconds(25569.0));
}

inline SessionRecord Rec(DateTimeValue boot, DateTimeValue shutdown, const char* user = "") {
    SessionRecord r;
    r.BootTime = boot;
    r.ShutdownTime = shutdown;
    if (HasTime(boot)) r.BootUtc = UtcOf(boot);
    if (HasTime(shutdown)) r.ShutdownUtc = UtcOf(shutdown);
    r.UserName = user;
    return r;
}
