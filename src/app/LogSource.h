#pragma once

#include <memory>
#include <string>

#include "app/Commands.h"
#include "eventlog/EventLogSource.h"
#include "history/SessionHistory.h"

// For a log file named on the command line: the one-line message for standard error when it
// cannot be read as a login accounting file, else empty. The live log is never refused: its
// failures stay silent and show as an empty history.
std::string LogFileArgumentProblem(const TCommandLine& cmd);

// Writes the message of LogFileArgumentProblem to standard error; false when there was one,
// and the caller exits with status 2.
bool CheckLogFileArgument(const TCommandLine& cmd);

// The named log file, or the live log when none is named.
std::unique_ptr<TEventLogSource> MakeLogSource(const TCommandLine& cmd);

// The history of that log, its events placed in local time.
std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd);
