#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// A reader of a format whose library only some builds have (the journal, wtmpdb); both
// members are empty where this build lacks it.
struct TLogFileReader {
    // Why the paths cannot be read as this format at all, or empty when they can.
    std::function<std::string(const std::vector<std::string>& paths)> Problem;
    std::function<std::unique_ptr<TEventLogSource>(std::vector<std::string> paths,
                                                   TLogFileNotice notice)>
        Open;
};

struct TLogFileReaders {
    TLogFileReader Journal;
    TLogFileReader Wtmpdb;
};

// Why the named file or folder cannot be read as any log this build reads ("not a log file
// …", a reader's own reason), or empty when it can.
std::string LogFileProblem(const std::string& path, const TLogFileReaders& readers);

// The named file or folder read by the reader its first bytes call for. notice hears of the
// parts of the file that could not be trusted.
std::unique_ptr<TEventLogSource> OpenLogFile(const std::string& path,
                                             const TLogFileReaders& readers,
                                             TLogFileNotice notice = {});
