#pragma once

#include <string>

#include "app/Commands.h"
#include "history/SessionHistory.h"

// The text of --print: a tab-separated line per session row (state image, boot, shutdown,
// duration, user, status), then the four summary texts, a line each.
std::string PrintReport(const TSessionHistory& history);

// RunPrint without the process streams: returns the exit status, fills out and err.
int RunPrintTo(const TCommandLine& cmd, std::string& out, std::string& err);
