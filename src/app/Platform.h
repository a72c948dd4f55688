#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "eventlog/LiveSource.h"
#include "eventlog/LogFile.h"
#include "framework/Host.h"
#include "graphics/PixelBuffer.h"

// The parts of the system the program runs on. This file and its source are the only places
// that name a platform.

class THeadlessHost;

// First thing at start-up: the user's regional formats; on Windows also the console of the
// command that started the program (for --print and --help).
void StartPlatform();

// The system's own font engine: FreeType with fontconfig, or GDI.
void InstallSystemFontEngine();

// A host with real windows that hands addresses to the desktop; fails with the reason when
// there is no display (said before the window system is asked, whose libraries would write
// their own complaints).
TResult<std::unique_ptr<THost>> CreateWindowHost();

// Publishes the windows to the desktop's screen readers while the result lives (AT-SPI on
// Linux); null, having started nothing, when the desktop has no accessibility bus. Call once the
// Application object exists.
std::shared_ptr<void> StartAccessibility(THost& host);

// The host --screenshot draws on: windows kept in memory, and a clock that moves only when
// told to.
class TOffscreenHost {
  public:
    TOffscreenHost();
    ~TOffscreenHost();
    TOffscreenHost(const TOffscreenHost&) = delete;
    TOffscreenHost& operator=(const TOffscreenHost&) = delete;

    THost& Host();
    // Lets the clock run on, firing the timers due and painting as the message loop would.
    void Advance(std::uint64_t ms);
    // What a window of this host has presented so far; null without a window.
    const TPixelBuffer* Pixels(const THostWindow* window) const;

  private:
    std::unique_ptr<THeadlessHost> host_;
};

// Fails naming the file and the reason.
TResult<void> SaveScreenshotPng(const TPixelBuffer& pixels, const std::string& path);

// The readers of log files whose libraries this build has: the journal and wtmpdb on Linux,
// neither on Windows.
TLogFileReaders PlatformLogFileReaders();

// The machine's own log. On Linux the journal, wtmpdb or wtmp: the one asked for, or for
// lsAuto the one that knows this boot and reaches furthest back (ChooseLiveSource); notes
// hears one line for a log this user may not read. On Windows the System event log.
TLiveLog LiveLog(TLiveSource which, const TLogFileNotice& notes);

// The paragraph of --help that says which logs this build reads and how it picks its own.
const char* LogSourcesHelp();
