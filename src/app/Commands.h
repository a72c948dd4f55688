#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the command line asked for.
struct TCommandLine {
    std::string LogFile;         // empty: the live log
    std::string ScreenshotPath;  // for --screenshot
    std::string Page = "log";    // for --screenshot: "log", "chart" or "about"
    bool Print = false;
    bool Help = false;
    bool Version = false;
    // The files of the live log, newest first; empty for the system's own.
    std::vector<std::string> LiveLog;
};

// The arguments after the program's name. False with the reason in error (one line, names
// made printable) when they are not a valid command line.
bool ParseCommandLine(const std::vector<std::string>& args, TCommandLine& cmd, std::string& error);

// A name as it appears in a message: control characters and backslashes escaped, so that a
// message about any file name stays one line.
std::string PrintableName(std::string_view name);

// Each returns the process exit status.
int RunPrint(const TCommandLine& cmd);       // PrintCommand.cpp
int RunWindow(const TCommandLine& cmd);      // WindowCommands.cpp
int RunScreenshot(const TCommandLine& cmd);  // WindowCommands.cpp
