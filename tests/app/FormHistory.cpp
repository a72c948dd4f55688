#include "app/FormHistory.h"

#include "app/Commands.h"
#include "app/LogSource.h"
#include "app/UnitFormVigil.h"

TScopedFormHistory::TScopedFormHistory(const std::vector<TWtmpEntry>& entries) {
    path_ = dir_.WriteWtmp("wtmp", entries);
    FormVigilHistorySource = [path = path_] {
        TCommandLine cmd;
        cmd.LogFile = path;
        return MakeSessionHistory(cmd);
    };
}

TScopedFormHistory::~TScopedFormHistory() {
    FormVigilHistorySource = nullptr;
}

void TScopedFormHistory::Rewrite(const std::vector<TWtmpEntry>& entries) {
    dir_.WriteWtmp("wtmp", entries);
}

std::vector<TWtmpEntry> SampleLog(bool withUser) {
    const std::int64_t day = UtcSeconds(2024, 5, 1, 8, 0, 0);
    std::vector<TWtmpEntry> log = {BootEntry(day), ShutdownEntry(day + 9 * 3600),
                                   BootEntry(day + 86400), BootEntry(day + 2 * 86400)};
    if (withUser) log.insert(log.begin() + 1, LoginEntry("alice", day + 600));
    return log;
}
