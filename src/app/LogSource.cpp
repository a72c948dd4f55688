#include "app/LogSource.h"

#include <cstdio>
#include <utility>

#include "app/Platform.h"
#include "base/Clock.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/LogFileFormat.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"

std::vector<std::string> LogFiles(const TCommandLine& cmd) {
    if (!cmd.LogFile.empty()) return {cmd.LogFile};
    return cmd.LiveLog.empty() ? SystemLogFiles() : cmd.LiveLog;
}

std::string LogFileArgumentProblem(const TCommandLine& cmd) {
    for (const std::string& file : LogFiles(cmd)) {
        std::string problem;
        TLogFileFormat format = cmd.LogFile.empty() ? lfLoginAccounting : LogFileFormatOf(file);
        if (format == lfLoginAccounting) {
            problem = WtmpFileProblem(file);
            // A named file may be any of the formats; the live log is only ever one.
            if (problem == kNotLoginAccountingFile && !cmd.LogFile.empty())
                problem =
                    "not a log file (neither a login accounting file nor a Windows event log)";
        } else {
            problem = WindowsLogFileProblem(file, format);
        }
        if (!problem.empty()) return "vigil: " + PrintableName(file) + ": " + problem;
    }
    return {};
}

bool CheckLogFileArgument(const TCommandLine& cmd) {
    std::string problem = LogFileArgumentProblem(cmd);
    if (problem.empty()) return true;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return cmd.LogFile.empty();
}

std::string ReadReportMessages(const TCommandLine& cmd, const TSessionHistory& history,
                               bool& failed) {
    const TLogReadReport& report = history.ReadReport();
    failed = !report.Failure.empty();
    std::string lines;
    if (report.SkippedBytes > 0)
        lines += "vigil: " + PrintableName(LogFiles(cmd).front()) + ": skipped " +
                 std::to_string(report.SkippedBytes) + " bytes that held no whole record\n";
    if (failed) lines += "vigil: " + PrintableName(report.Failure) + "\n";
    return lines;
}

std::unique_ptr<TEventLogSource> MakeLogSource(const TCommandLine& cmd, TLogNotice notice) {
    if (cmd.LogFile.empty()) {
        if (cmd.LiveLog.empty())
            if (auto system = CreateSystemEventLogSource()) return system;
        return std::make_unique<TWtmpEventSource>(LogFiles(cmd));
    }
    TLogFileNotice fileNotice;
    if (notice)
        fileNotice = [notice, path = cmd.LogFile](const std::string& text) {
            notice("vigil: " + PrintableName(path) + ": " + text);
        };
    switch (LogFileFormatOf(cmd.LogFile)) {
        case lfEvt:
            return std::make_unique<TEvtEventSource>(cmd.LogFile, fileNotice);
        case lfEvtx:
            return std::make_unique<TEvtxEventSource>(cmd.LogFile, fileNotice);
        case lfLoginAccounting:
            break;
    }
    return std::make_unique<TWtmpEventSource>(cmd.LogFile);
}

void NoticeOnStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd, TLogNotice notice) {
    auto history = std::make_unique<TSessionHistory>(MakeLogSource(cmd, std::move(notice)),
                                                     LocalUtcOffsetSeconds);
    history->SetPeriod(cmd.Period);
    history->SetQuietHours(cmd.Quiet);
    // The live log's running session is still running now; a copied log's ends with it.
    if (cmd.LogFile.empty()) history->SetNow(UnixTimeNow);
    return history;
}
