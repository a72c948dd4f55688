#pragma once

#include <string>

// What the command line asked for.
struct TCommandLine {
    std::string LogFile;         // empty: the live log
    std::string ScreenshotPath;  // for --screenshot
    std::string Page = "log";    // for --screenshot: "log", "chart" or "about"
};

// Each returns the process exit status.
int RunPrint(const TCommandLine& cmd);       // PrintCommand.cpp
int RunWindow(const TCommandLine& cmd);      // WindowCommands.cpp
int RunScreenshot(const TCommandLine& cmd);  // WindowCommands.cpp
