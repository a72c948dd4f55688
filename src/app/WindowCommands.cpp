#include "app/WindowCommands.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "app/Commands.h"
#include "app/LogSource.h"
#include "app/Platform.h"
#include "app/UnitFormAbout.h"
#include "app/UnitFormVigil.h"
#include "base/Clock.h"
#include "base/DateTime.h"
#include "framework/Application.h"

namespace {

// A failure before the message loop runs has no window to be shown in.
template <class F>
int Reported(F&& run) {
    try {
        return run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vigil: %s\n", e.what());
        return 1;
    }
}

// The status bar's clock shows the system's local time.
void InstallLocalClock() {
    TWsClockStatus::SetLocalTimeSource([] {
        const std::int64_t now = UnixTimeNow();
        return DateTimeFromUnixSeconds(now + LocalUtcOffsetSeconds(now));
    });
}

// The main window reads the log named on the command line, or the live one.
void UseLogOf(const TCommandLine& cmd) {
    FormVigilHistorySource = [cmd] { return MakeSessionHistory(cmd); };
}

int OpenWindow(const TCommandLine& cmd) {
    if (!CheckLogFileArgument(cmd)) return 2;
    TResult<std::unique_ptr<THost>> host = CreateWindowHost();
    if (!host) {
        std::fprintf(stderr, "vigil: cannot open a window: %s\n", host.Error().c_str());
        return 1;
    }
    InstallSystemFontEngine();
    InstallLocalClock();
    UseLogOf(cmd);
    TApplication app(*host.Value());
    std::shared_ptr<void> accessibility = StartAccessibility(*host.Value());
    app.CreateForm(FormVigil);
    app.Run();
    return 0;
}

int RenderScreenshot(const TCommandLine& cmd) {
    if (!CheckLogFileArgument(cmd)) return 2;
    TResult<void> allowed = CheckScreenshotTarget(cmd.ScreenshotPath, LogFiles(cmd));
    if (!allowed) {
        std::fprintf(stderr, "vigil: %s: %s\n", PrintableName(cmd.ScreenshotPath).c_str(),
                     allowed.Error().c_str());
        return 2;
    }
    InstallSystemFontEngine();
    InstallLocalClock();
    UseLogOf(cmd);
    TOffscreenHost host;
    TApplication app(host.Host());
    app.CreateForm(FormVigil);
    FormVigil->Show();
    if (cmd.Page == "chart") FormVigil->WsPageControl1->SetActivePage(FormVigil->TabSheet2);
    if (cmd.Page == "stats") FormVigil->WsPageControl1->SetActivePage(FormVigil->TabSheet3);
    // The about box is shown over the main window as its button would show it, without the
    // modal loop, so that its first frame can be taken.
    std::unique_ptr<TFormAbout> about;
    if (cmd.Page == "about") {
        about = MakeForm<TFormAbout>(FormVigil);
        about->Label2->SetCaption(MainWindowVersionText(*FormVigil));
        about->Show();
    }
    // One second in, the uptime label has had its first tick.
    host.Advance(1000);
    TForm* shown = about ? static_cast<TForm*>(about.get()) : FormVigil;
    const TPixelBuffer* pixels = host.Pixels(shown->HostWindow());
    if (!pixels) {
        std::fprintf(stderr, "vigil: the window could not be made\n");
        return 1;
    }
    TResult<void> saved = SaveScreenshotPng(*pixels, cmd.ScreenshotPath);
    if (!saved) {
        std::fprintf(stderr, "vigil: %s\n", PrintableName(saved.Error()).c_str());
        return 2;
    }
    return 0;
}

}  // namespace

TResult<void> CheckScreenshotTarget(const std::string& target,
                                    const std::vector<std::string>& logFiles) {
    namespace fs = std::filesystem;
    if (target.empty()) return TError("no file name given");
    std::error_code ec;
    fs::file_status status = fs::status(target, ec);
    if (!fs::exists(status)) return {};
    if (!fs::is_regular_file(status)) return TError("not a regular file, not replaced");
    for (const std::string& log : logFiles) {
        std::error_code same;
        if (fs::equivalent(target, log, same) && !same)
            return TError("is the log being read, not replaced");
    }
    return {};
}

int RunWindow(const TCommandLine& cmd) {
    return Reported([&] { return OpenWindow(cmd); });
}

int RunScreenshot(const TCommandLine& cmd) {
    return Reported([&] { return RenderScreenshot(cmd); });
}
