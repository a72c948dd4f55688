#include "app/LogSource.h"

#include <cstdio>
#include <utility>

#include "base/Clock.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/LogFileFormat.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"
#include "platform/linux/LiveLog.h"

std::string LogFileArgumentProblem(const TCommandLine& cmd) {
    if (cmd.LogFile.empty()) return {};
    TLogFileFormat format = LogFileFormatOf(cmd.LogFile);
    std::string problem = format == lfLoginAccounting ? WtmpFileProblem(cmd.LogFile)
                                                      : WindowsLogFileProblem(cmd.LogFile, format);
    if (problem == kNotLoginAccountingFile)
        problem = "not a log file (neither a login accounting file nor a Windows event log)";
    if (problem.empty()) return {};
    return "vigil: " + cmd.LogFile + ": " + problem;
}

bool CheckLogFileArgument(const TCommandLine& cmd) {
    std::string problem = LogFileArgumentProblem(cmd);
    if (problem.empty()) return true;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return false;
}

std::unique_ptr<TEventLogSource> MakeLogSource(const TCommandLine& cmd, TLogNotice notice) {
    if (cmd.LogFile.empty()) return std::make_unique<TWtmpEventSource>(kLiveWtmpPath);
    TLogFileNotice fileNotice;
    if (notice)
        fileNotice = [notice, path = cmd.LogFile](const std::string& text) {
            notice("vigil: " + path + ": " + text);
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
    return std::make_unique<TSessionHistory>(MakeLogSource(cmd, std::move(notice)),
                                             LocalUtcOffsetSeconds);
}
