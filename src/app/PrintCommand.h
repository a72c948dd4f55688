#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/Commands.h"
#include "history/SessionHistory.h"

// Receives the report piece by piece; false when the output cannot be written.
using TReportWriter = std::function<bool(std::string_view)>;

// The text of --print: a tab-separated line per session row (state image, boot, shutdown,
// duration, user, status), then the four summary texts, a line each. Rows are made one at a
// time, so a history refreshed without keeping its rows prints in little memory.
bool WriteReport(const TSessionHistory& history, const TReportWriter& write);
std::string PrintReport(const TSessionHistory& history);

// --format csv: a header row, then a row per session with the exact times (ISO 8601 local,
// with the offset) and seconds, the kernel and the quiet-hours mark. RFC 4180.
bool WriteCsvReport(const TSessionHistory& history, const TReportWriter& write);
// --format json: one object, {"sessions": [...], "summary": {...}, "hours": [[24] x 7]}.
bool WriteJsonReport(const TSessionHistory& history, const TReportWriter& write);

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled.
std::string CsvField(std::string_view s);

// A moment in local time with its offset: "2024-03-01T08:00:00+01:00".
std::string IsoLocalTime(std::int64_t utc, std::int32_t offset);

// RunPrint with the report handed to write and the lines for standard error in err; returns
// the exit status (1 when write failed).
int RunPrintTo(const TCommandLine& cmd, const TReportWriter& write, std::string& err);
int RunPrintTo(const TCommandLine& cmd, std::string& out, std::string& err);
