#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/Platform.h"

namespace {

constexpr const char* kOptions =
    "  --print                 write the sessions, the summary and the figures (uptime and\n"
    "                          downtime with percentages, longest and shortest session,\n"
    "                          abnormal shutdowns, sessions in the quiet hours, time asleep)\n"
    "                          and the log read (source)\n"
    "  --format tsv|csv|json   the form of --print: tab-separated text (default), CSV with\n"
    "                          a header row, or one JSON object; e.g. --format json\n"
    "  --since WHEN            keep the sessions that overlap the time from WHEN on: a date\n"
    "                          (2024-03-01), a date and time (2024-03-01T08:30, a Z or\n"
    "                          +08:00 offset optional) or days back (7d)\n"
    "  --until WHEN            keep the sessions up to WHEN (a date alone: its whole day)\n"
    "  --quiet-hours HH:MM-HH:MM  hours of the day whose use is marked; may cross midnight\n"
    "                          (default 23:00-06:00)\n"
    "  --screenshot OUT.png    render the main window without a display to OUT.png\n"
    "  --page log|chart|stats|about\n"
    "                          the page --screenshot shows (default log)\n"
    "  --source journal|wtmpdb|wtmp  read this log of the machine rather than the one\n"
    "                          chosen by itself (Linux)\n"
    "  --help                  show this help and exit\n"
    "  --version               show the version and exit\n"
    "  --                      end of options: what follows is the LOGFILE\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "vigil: %s\nTry 'vigil --help' for more information.\n", message.c_str());
    return 2;
}

// Help and version go to standard output; a write that fails (a full disk, a closed pipe) is
// an error, not a success.
int WriteAndExit(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "vigil: cannot write to standard output: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    StartPlatform();
    TResult<TCommandLine> parsed =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) return UsageError(parsed.Error());
    const TCommandLine& cmd = parsed.Value();
    if (cmd.Help)
        return WriteAndExit(std::string("Usage: vigil [OPTION]... [--] [LOGFILE]\n") +
                            LogSourcesHelp() + "\n" + kOptions);
    if (cmd.Version) return WriteAndExit(std::string("vigil ") + VIGIL_VERSION + "\n");
    if (cmd.Print) return RunPrint(cmd);
    if (!cmd.ScreenshotPath.empty()) return RunScreenshot(cmd);
    return RunWindow(cmd);
}
