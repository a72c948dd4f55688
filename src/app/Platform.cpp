#include "app/Platform.h"

#include <cstdio>

#include "widgets/WsDisplay.h"

#ifdef _WIN32
#include <io.h>

#include "platform/win32/GdiFontEngine.h"
#include "platform/win32/LocaleFormats.h"
#include "platform/win32/PngFile.h"
#include "platform/win32/SystemEventLog.h"
#include "platform/win32/ThemeColorName.h"
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
    SetThemeColorNameReader(ReadThemeColorName);
}

void InstallSystemFontEngine() {
    InstallGdiFontEngine();
}

std::unique_ptr<THost> CreateWindowHost(std::string& error) {
    auto host = std::make_unique<TWin32Host>();
    if (host->Ok()) return host;
    error = host->Error();
    return nullptr;
}

std::vector<std::string> SystemLogFiles() {
    return {};
}

const char* SystemLogHelp() {
    return "Shows the power-on history of this computer from its System event log, or from\n"
           "LOGFILE: a Windows System event log (.evt or .evtx) or a login accounting file\n"
           "(wtmp) copied from another machine.\n";
}

std::unique_ptr<TEventLogSource> CreateSystemEventLogSource() {
    return std::make_unique<TSystemEventLog>();
}

#else
#include <cstdlib>

#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/linux/DesktopOpen.h"
#include "platform/linux/LiveLog.h"
#include "platform/linux/LocaleFormats.h"
#include "platform/png/PngFile.h"
#include "platform/sdl/SdlHost.h"

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

std::unique_ptr<THost> CreateWindowHost(std::string& error) {
    if (!HasDisplay()) {
        error = "no display";
        return nullptr;
    }
    auto host = std::make_unique<TSdlHost>();
    if (!host->Ok()) {
        error = host->Error();
        return nullptr;
    }
    host->UrlOpener = [](const std::string& address) { return OpenWithDesktop(address); };
    return host;
}

std::vector<std::string> SystemLogFiles() {
    return LiveLogFiles();
}

const char* SystemLogHelp() {
    return "Shows the power-on history of this computer from its login accounting log\n"
           "(/var/log/wtmp, with /var/log/wtmp.1 when it exists), or from LOGFILE: a login\n"
           "accounting file or a Windows System event log (.evt or .evtx) copied from another\n"
           "machine.\n";
}

std::unique_ptr<TEventLogSource> CreateSystemEventLogSource() {
    return nullptr;
}
#endif

bool SaveScreenshotPng(const TPixelBuffer& pixels, const std::string& path, std::string* error) {
    return SavePng(pixels, path, error);
}
