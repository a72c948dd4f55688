#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "eventlog/LiveSource.h"
#include "history/ReportFigures.h"

// What the command line asked for.
struct TCommandLine {
    std::string LogFile;         // empty: the live log
    std::string ScreenshotPath;  // for --screenshot
    std::string Page = "log";    // for --screenshot: "log", "chart", "stats" or "about"
    bool Print = false;
    bool Help = false;
    bool Version = false;
    std::string Format = "tsv";   // for --print: tsv, csv or json
    TPeriod Period;               // --since and --until, in UTC seconds
    TQuietHours Quiet;            // --quiet-hours
    TLiveSource Source = lsAuto;  // --source: which of the machine's logs to read
    // The files of the live log, newest first; empty for the system's own.
    std::vector<std::string> LiveLog;
};

// The arguments after the program's name; when they are not a valid command line, the reason
// in one line with names made printable.
TResult<TCommandLine> ParseCommandLine(const std::vector<std::string>& args);

// A moment given as an ISO 8601 date ("2024-03-01"), date and time ("2024-03-01T08:30",
// seconds and a "Z" or "+08:00" offset optional) or a number of days back ("7d"), in Unix
// seconds. Local times use offsetAt; a date alone is its first second, or its last with
// endOfDay. False when the text is none of these.
bool ParseMoment(const std::string& text, std::int64_t now,
                 const std::function<std::int32_t(std::int64_t)>& offsetAt, bool endOfDay,
                 std::int64_t& out);

// "HH:MM-HH:MM"; false when malformed or empty.
bool ParseQuietHours(const std::string& text, TQuietHours& out);

// A name as it appears in a message: control characters (C0 and C1), bidirectional overrides,
// bytes that are not UTF-8 and backslashes escaped, so that a message about any file name stays
// one line and cannot drive the terminal.
std::string PrintableName(std::string_view name);

// Each returns the process exit status.
int RunPrint(const TCommandLine& cmd);       // PrintCommand.cpp
int RunWindow(const TCommandLine& cmd);      // WindowCommands.cpp
int RunScreenshot(const TCommandLine& cmd);  // WindowCommands.cpp
