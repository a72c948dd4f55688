#include "app/Platform.h"

#include <cstdio>

#include "platform/headless/HeadlessHost.h"

#ifdef _WIN32
#include <io.h>

#include "platform/win32/GdiFontEngine.h"
#include "platform/win32/LocaleFormats.h"
#include "platform/win32/PngFile.h"
#include "platform/win32/SystemEventLog.h"
#include "platform/win32/Win32Host.h"

namespace {

// A window program has no console of its own. Started from a console without redirection,
// it writes to that console; redirected output is left where it goes.
void UseCallersConsole() {
    const bool out = _fileno(stdout) >= 0 && _get_osfhandle(_fileno(stdout)) >= 0;
    const bool err = _fileno(stderr) >= 0 && _get_osfhandle(_fileno(stderr)) >= 0;
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!out) std::freopen("CONOUT$", "w", stdout);
    if (!err) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

void StartPlatform() {
    UseCallersConsole();
    UseUserLocale();
}

void InstallSystemFontEngine() {
    InstallGdiFontEngine();
}

TResult<std::unique_ptr<THost>> CreateWindowHost() {
    TResult<std::unique_ptr<TWin32Host>> host = TWin32Host::Open();
    if (!host) return TError(host.Error());
    return std::unique_ptr<THost>(std::move(host).Value());
}

// UI Automation answers the window's own requests; nothing is started ahead.
std::shared_ptr<void> StartAccessibility(THost&) {
    return nullptr;
}

TLogFileReaders PlatformLogFileReaders() {
    return {};
}

const char* LogSourcesHelp() {
    return "Shows the power-on history of this computer from its System event log, or from\n"
           "LOGFILE copied from another machine: a Windows System event log (.evt or .evtx)\n"
           "or a Linux login accounting file (wtmp). This build does not read the systemd\n"
           "journal or wtmpdb databases; --source has no effect here.\n";
}

TLiveLog LiveLog(TLiveSource, const TLogFileNotice&) {
    TLiveLog live;
    live.Source = std::make_unique<TSystemEventLog>();
    live.Name = "System";
    return live;
}

#else
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "base/Clock.h"
#include "eventlog/WtmpSource.h"
#include "platform/atspi/AtspiBridge.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/journal/JournalSource.h"
#include "platform/linux/DesktopOpen.h"
#include "platform/linux/LiveLog.h"
#include "platform/linux/LocaleFormats.h"
#include "platform/png/PngFile.h"
#include "platform/sdl/SdlHost.h"
#include "platform/wtmpdb/WtmpdbSource.h"

void StartPlatform() {
    UseUserLocale();
}

void InstallSystemFontEngine() {
    InstallFreeTypeFontEngine();
}

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

}  // namespace

TResult<std::unique_ptr<THost>> CreateWindowHost() {
    if (!HasDisplay()) return TError("no display");
    TResult<std::unique_ptr<TSdlHost>> host = TSdlHost::Open();
    if (!host) return TError(host.Error());
    host.Value()->UrlOpener = [](const std::string& address) { return OpenWithDesktop(address); };
    return std::unique_ptr<THost>(std::move(host).Value());
}

std::shared_ptr<void> StartAccessibility(THost& host) {
    return TAtspiBridge::Start(host);
}

TLogFileReaders PlatformLogFileReaders() {
    TLogFileReaders readers;
    readers.Journal.Check = CheckJournal;
    readers.Journal.Open = [](std::vector<std::string> paths, TLogFileNotice notice) {
        return std::unique_ptr<TEventLogSource>(
            std::make_unique<TJournalEventSource>(std::move(paths), std::move(notice)));
    };
    readers.Wtmpdb.Check = CheckWtmpdb;
    readers.Wtmpdb.Open = [](std::vector<std::string> paths, TLogFileNotice notice) {
        return std::unique_ptr<TEventLogSource>(
            std::make_unique<TWtmpdbEventSource>(std::move(paths), std::move(notice)));
    };
    return readers;
}

const char* LogSourcesHelp() {
    return "Shows the power-on history of this computer from the log it keeps, or from\n"
           "LOGFILE copied from another machine: a systemd journal file, or a folder of them\n"
           "(a /var/log/journal/MACHINE-ID); a wtmpdb database (wtmp.db); a login accounting\n"
           "file (wtmp); or a Windows System event log (.evt or .evtx).\n"
           "The machine's own log is the one of the systemd journal (/var/log/journal, else\n"
           "/run/log/journal), wtmpdb (/var/lib/wtmpdb/wtmp.db and its rotated files) and\n"
           "wtmp (/var/log/wtmp and wtmp.1) that knows the current boot and reaches furthest\n"
           "back; on a tie the journal, then wtmpdb. When none knows the current boot, the\n"
           "one with the newest boot. --source names one instead.\n";
}

namespace {

TLiveLog LiveJournal(const TLogFileNotice& notes) {
    TLiveLog live;
    live.Name = LiveSourceName(lsJournal);
    bool denied = false;
    TResult<std::unique_ptr<TEventLogSource>> journal = OpenLiveJournal(denied);
    if (journal) {
        live.Source = std::move(journal).Value();
        return live;
    }
    live.Readable = TError(journal.Error());
    // A journal this user may not read is worth a line; a machine without one is not.
    if (denied && notes) notes(live.Name + ": " + journal.Error());
    return live;
}

TLiveLog LiveWtmpdb() {
    TLiveLog live;
    live.Name = LiveSourceName(lsWtmpdb);
    std::vector<std::string> oldestFirst = LiveWtmpdbFiles();
    if (oldestFirst.empty()) {
        live.Readable = TError(std::string("no wtmpdb database in ") + kLiveWtmpdbFolder);
        return live;
    }
    live.Files.assign(oldestFirst.rbegin(), oldestFirst.rend());
    live.Source = std::make_unique<TWtmpdbEventSource>(std::move(oldestFirst));
    return live;
}

TLiveLog LiveWtmp() {
    TLiveLog live;
    live.Name = LiveSourceName(lsWtmp);
    live.Files = LiveLogFiles();
    live.Source = std::make_unique<TWtmpEventSource>(live.Files);
    return live;
}

TLiveLog LiveLogOf(TLiveSource which, const TLogFileNotice& notes) {
    switch (which) {
        case lsJournal:
            return LiveJournal(notes);
        case lsWtmpdb:
            return LiveWtmpdb();
        default:
            return LiveWtmp();
    }
}

}  // namespace

TLiveLog LiveLog(TLiveSource which, const TLogFileNotice& notes) {
    // The log asked for by name says its own problem, once.
    if (which != lsAuto) return LiveLogOf(which, {});
    std::vector<TLiveLog> logs;
    std::vector<TLiveCandidate> candidates;
    for (TLiveSource source : {lsJournal, lsWtmpdb, lsWtmp}) {
        TLiveLog log = LiveLogOf(source, notes);
        if (!log.Source) continue;
        // A missing wtmp is no candidate: Debian 13 no longer writes one.
        if (source == lsWtmp && !std::filesystem::exists(log.Files.front())) continue;
        candidates.push_back({source, log.Source->Boots()});
        logs.push_back(std::move(log));
    }
    const std::int64_t bootUtc =
        UnixTimeNow() - static_cast<std::int64_t>(MillisecondsSinceBoot() / 1000);
    const TLiveSource chosen = ChooseLiveSource(candidates, bootUtc);
    for (std::size_t i = 0; i < logs.size(); ++i)
        if (candidates[i].Source == chosen) return std::move(logs[i]);
    return LiveWtmp();
}

#endif

TResult<void> SaveScreenshotPng(const TPixelBuffer& pixels, const std::string& path) {
    return SavePng(pixels, path);
}

TOffscreenHost::TOffscreenHost() : host_(std::make_unique<THeadlessHost>()) {}

TOffscreenHost::~TOffscreenHost() = default;

THost& TOffscreenHost::Host() {
    return *host_;
}

void TOffscreenHost::Advance(std::uint64_t ms) {
    host_->Advance(ms);
}

const TPixelBuffer* TOffscreenHost::Pixels(const THostWindow* window) const {
    return window ? &static_cast<const THeadlessWindow*>(window)->Pixels() : nullptr;
}
