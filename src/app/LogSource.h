#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "base/Result.h"
#include "eventlog/EventLogSource.h"
#include "history/SessionHistory.h"

// Takes one line (with the program's name and the file's) when part of a log file could not
// be trusted and was skipped, or a live log could not be used.
using TLogNotice = std::function<void(const std::string& line)>;
void NoticeOnStandardError(const std::string& line);

// The log a command reads: the named file or folder, or the machine's own.
struct TOpenedLog {
    std::unique_ptr<TEventLogSource> Source;  // null when it cannot be read at all
    std::string Name;                         // the format or live log read, for the report
    std::vector<std::string> Files;           // the files read, newest first
    // Fails with the one-line message for standard error when it cannot be read as a log.
    // --print reports it and exits with status 2; the window writes it and, for the live log,
    // shows the empty history.
    TResult<void> Readable;
};

TOpenedLog OpenLog(const TCommandLine& cmd, TLogNotice notice = NoticeOnStandardError);

// The files the history is read from, newest first.
std::vector<std::string> LogFiles(const TCommandLine& cmd);

// OpenLog's Readable, without its notices.
TResult<void> LogArgumentReadable(const TCommandLine& cmd);

// Writes the message of LogArgumentReadable to standard error. False when the named file
// is unusable and the caller exits with status 2; the live log is never refused here.
bool CheckLogFileArgument(const TCommandLine& cmd);

// The lines for standard error about what the last refresh noticed in the log (bytes
// stepped over, a log that changed while it was read); failed is set for the latter.
std::string ReadReportMessages(const TSessionHistory& history, bool& failed);

// The history of the log, its events placed in local time.
std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd, TOpenedLog log);
std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd,
                                                    TLogNotice notice = NoticeOnStandardError);
