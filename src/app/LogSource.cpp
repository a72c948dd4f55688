#include "app/LogSource.h"

#include <cstdio>

#include "base/Clock.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"
#include "platform/linux/LiveLog.h"

std::string LogFileArgumentProblem(const TCommandLine& cmd) {
    if (cmd.LogFile.empty()) return {};
    std::string problem = WtmpFileProblem(cmd.LogFile);
    if (problem.empty()) return {};
    return "vigil: " + cmd.LogFile + ": " + problem;
}

bool CheckLogFileArgument(const TCommandLine& cmd) {
    std::string problem = LogFileArgumentProblem(cmd);
    if (problem.empty()) return true;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return false;
}

std::unique_ptr<TEventLogSource> MakeLogSource(const TCommandLine& cmd) {
    return std::make_unique<TWtmpEventSource>(cmd.LogFile.empty() ? kLiveWtmpPath : cmd.LogFile);
}

std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd) {
    return std::make_unique<TSessionHistory>(MakeLogSource(cmd), LocalUtcOffsetSeconds);
}
