#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "eventlog/EventLogSource.h"
#include "history/SessionHistory.h"

// The files the history is read from, newest first: the named one, or the live log and its
// rotated predecessor.
std::vector<std::string> LogFiles(const TCommandLine& cmd);

// The one-line message for standard error when a log file cannot be read as a log file, else
// empty. It covers the live log as well: --print reports it and exits with status 2, the
// window writes it and shows the empty history.
std::string LogFileArgumentProblem(const TCommandLine& cmd);

// Writes the message of LogFileArgumentProblem to standard error. False when the named file
// is unusable and the caller exits with status 2; the live log is never refused here.
bool CheckLogFileArgument(const TCommandLine& cmd);

// The lines for standard error about what the last refresh noticed in the log (bytes
// stepped over, a log that changed while it was read); failed is set for the latter.
std::string ReadReportMessages(const TCommandLine& cmd, const TSessionHistory& history,
                               bool& failed);

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
