#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "eventlog/EventLogSource.h"
#include "history/SessionHistory.h"

// For a log file named on the command line: the one-line message for standard error when it
// cannot be read as a log file, else empty. The live log is never refused: its
// failures stay silent and show as an empty history.
std::string LogFileArgumentProblem(const TCommandLine& cmd);

// Writes the message of LogFileArgumentProblem to standard error; false when there was one,
// and the caller exits with status 2.
bool CheckLogFileArgument(const TCommandLine& cmd);

// Takes one line (with the program's name and the file's) when part of a log file could not
// be trusted and was skipped.
using TLogNotice = std::function<void(const std::string& line)>;
void NoticeOnStandardError(const std::string& line);

// The named log file, read by the reader its first bytes call for, or the live log when none
// is named.
std::unique_ptr<TEventLogSource> MakeLogSource(const TCommandLine& cmd,
                                               TLogNotice notice = NoticeOnStandardError);

// The history of that log, its events placed in local time.
std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd,
                                                    TLogNotice notice = NoticeOnStandardError);
