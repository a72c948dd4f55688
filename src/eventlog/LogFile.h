#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "eventlog/EventLogSource.h"

// A reader of a format whose library only some builds have (the journal, wtmpdb); both
// members are empty where this build lacks it.
struct TLogFileReader {
    // Whether the paths can be read as this format at all, and why not.
    std::function<TResult<void>(const std::vector<std::string>& paths)> Check;
    std::function<std::unique_ptr<TEventLogSource>(std::vector<std::string> paths,
                                                   TLogFileNotice notice)>
        Open;
};

struct TLogFileReaders {
    TLogFileReader Journal;
    TLogFileReader Wtmpdb;
};

// Whether the named file or folder can be read as a log this build reads, and why not ("not a
// log file …", a reader's own reason).
TResult<void> CheckLogFile(const std::string& path, const TLogFileReaders& readers);

// The named file or folder read by the reader its first bytes call for. notice hears of the
// parts of the file that could not be trusted.
std::unique_ptr<TEventLogSource> OpenLogFile(const std::string& path,
                                             const TLogFileReaders& readers,
                                             TLogFileNotice notice = {});
