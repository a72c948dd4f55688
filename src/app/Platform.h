#pragma once

#include <memory>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"
#include "framework/Host.h"
#include "graphics/PixelBuffer.h"

// The parts of the system the program runs on. This file and its source are the only places
// that name a platform.

// First thing at start-up: the user's regional formats; on Windows also the console of the
// command that started the program (for --print and --help), and the theme colour name the
// widget set reads.
void StartPlatform();

// The system's own font engine: FreeType with fontconfig, or GDI.
void InstallSystemFontEngine();

// A host with real windows that hands addresses to the desktop; null with the reason in error
// when there is no display (said before the window system is asked, whose libraries would
// write their own complaints).
std::unique_ptr<THost> CreateWindowHost(std::string& error);

bool SaveScreenshotPng(const TPixelBuffer& pixels, const std::string& path, std::string* error);

// The files the machine's own log is kept in, newest first: /var/log/wtmp and the rotated one
// before it; none on Windows, whose System event log is no file.
std::vector<std::string> SystemLogFiles();

// The paragraph of --help that says which log the program reads: this system's own, or a file.
const char* SystemLogHelp();

// The machine's own log when it is no file (the System event log); null where it is files.
std::unique_ptr<TEventLogSource> CreateSystemEventLogSource();
