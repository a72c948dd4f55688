#include "base/Clock.h"

#include <time.h>

std::uint64_t MillisecondsSinceBoot() {
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0 && clock_gettime(CLOCK_MONOTONIC, &ts) != 0)
        return 0;
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
           static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

std::int32_t LocalUtcOffsetSeconds(std::int64_t unixSeconds) {
    time_t t = static_cast<time_t>(unixSeconds);
    tm local{};
    if (localtime_r(&t, &local) == nullptr) return 0;
    return static_cast<std::int32_t>(local.tm_gmtoff);
}

std::int64_t UnixTimeNow() {
    return static_cast<std::int64_t>(time(nullptr));
}
