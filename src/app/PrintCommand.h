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

// RunPrint with the report handed to write and the lines for standard error in err; returns
// the exit status (1 when write failed).
int RunPrintTo(const TCommandLine& cmd, const TReportWriter& write, std::string& err);
int RunPrintTo(const TCommandLine& cmd, std::string& out, std::string& err);
