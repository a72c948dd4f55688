#include "platform/linux/LocalTime.h"

#include <time.h>

std::int32_t LocalUtcOffsetSeconds(std::int64_t unixSeconds) {
    time_t t = static_cast<time_t>(unixSeconds);
    tm local{};
    if (localtime_r(&t, &local) == nullptr) return 0;
    return static_cast<std::int32_t>(local.tm_gmtoff);
}

std::int64_t UnixTimeNow() {
    return static_cast<std::int64_t>(time(nullptr));
}
