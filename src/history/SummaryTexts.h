#pragma once

#include <cstdint>
#include <string>

#include "history/SessionRecord.h"

// The four texts of the status bar.
struct TSummaryTexts {
    std::string RecordCount;
    std::string DayCount;
    std::string Total;
    std::string Average;
};

// Elapsed days from the oldest to the newest session, counting both ends.
std::int64_t DayCount(const SessionTable& table);

// From the table as BuildRows left it, with the total BuildRows returned.
TSummaryTexts SummaryTexts(const SessionTable& table, std::int64_t totalSeconds);
