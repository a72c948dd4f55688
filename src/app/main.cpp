#include <cstdio>
#include <cstring>
#include <string>

#include "app/Commands.h"
#include "platform/linux/LocaleFormats.h"

namespace {

constexpr const char* kUsage =
    "Usage: vigil [OPTION]... [LOGFILE]\n"
    "Shows the power-on history of this computer from its login accounting log\n"
    "(/var/log/wtmp), or from LOGFILE: a login accounting file or a Windows System\n"
    "event log (.evt or .evtx) copied from another machine.\n"
    "\n"
    "  --print                 write the sessions and summary as tab-separated text\n"
    "  --screenshot OUT.png    render the main window without a display to OUT.png\n"
    "  --page log|chart|about  the page --screenshot shows (default log)\n"
    "  --help                  show this help and exit\n"
    "  --version               show the version and exit\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "vigil: %s\nTry 'vigil --help' for more information.\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    UseUserLocale();
    TCommandLine cmd;
    bool print = false;
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--print") {
            print = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--screenshot" || arg == "--page") {
            if (i + 1 >= argc) return UsageError("option '" + arg + "' needs a value");
            std::string value = argv[++i];
            if (arg == "--screenshot") {
                cmd.ScreenshotPath = value;
            } else if (value == "log" || value == "chart" || value == "about") {
                cmd.Page = value;
            } else {
                return UsageError("unknown page '" + value + "' (log, chart or about)");
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option '" + arg + "'");
        } else if (cmd.LogFile.empty()) {
            cmd.LogFile = arg;
        } else {
            return UsageError("more than one log file given");
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (version) {
        std::printf("vigil %s\n", VIGIL_VERSION);
        return 0;
    }
    if (print && !cmd.ScreenshotPath.empty())
        return UsageError("--print and --screenshot cannot be combined");
    if (print) return RunPrint(cmd);
    if (!cmd.ScreenshotPath.empty()) return RunScreenshot(cmd);
    return RunWindow(cmd);
}
