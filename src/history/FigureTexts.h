#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "history/ReportFigures.h"

// The figures of a period as the statistics page shows them: a name and a value each, in
// reading order (period, up share, down share, asleep, longest, shortest, abnormal, quiet).
struct TFigureText {
    const char* Name;
    std::string Value;
};
using TFigureTexts = std::array<TFigureText, 8>;

// offsetAt places the period's ends in local time. With no session every value is "0", or
// "—" where there is nothing to name.
TFigureTexts FigureTexts(const TSessionFigures& figures, bool anySession, const TQuietHours& quiet,
                         const std::function<std::int32_t(std::int64_t)>& offsetAt);

// "23:00-06:00".
std::string QuietHoursText(const TQuietHours& quiet);
