#include "eventlog/LogFile.h"

#include <utility>

#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/LogFileFormat.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"

namespace {

const TLogFileReader& ReaderOf(TLogFileFormat format, const TLogFileReaders& readers) {
    return format == lfJournal ? readers.Journal : readers.Wtmpdb;
}

}  // namespace

std::string LogFileProblem(const std::string& path, const TLogFileReaders& readers) {
    const TLogFileFormat format = LogFileFormatOf(path);
    switch (format) {
        case lfEvt:
        case lfEvtx:
            return WindowsLogFileProblem(path, format);
        case lfJournal:
        case lfSqlite: {
            const TLogFileReader& reader = ReaderOf(format, readers);
            if (!reader.Problem)
                return format == lfJournal
                           ? "a systemd journal, which this build of Vigil cannot read"
                           : "an SQLite database, which this build of Vigil cannot read";
            return reader.Problem({path});
        }
        case lfLoginAccounting:
            break;
    }
    std::string problem = WtmpFileProblem(path);
    if (problem == kNotLoginAccountingFile)
        return "not a log file (not a login accounting file, systemd journal, wtmpdb database or "
               "Windows event log)";
    return problem;
}

std::unique_ptr<TEventLogSource> OpenLogFile(const std::string& path,
                                             const TLogFileReaders& readers,
                                             TLogFileNotice notice) {
    const TLogFileFormat format = LogFileFormatOf(path);
    switch (format) {
        case lfEvt:
            return std::make_unique<TEvtEventSource>(path, std::move(notice));
        case lfEvtx:
            return std::make_unique<TEvtxEventSource>(path, std::move(notice));
        case lfJournal:
        case lfSqlite: {
            const TLogFileReader& reader = ReaderOf(format, readers);
            if (reader.Open) return reader.Open({path}, std::move(notice));
            break;
        }
        case lfLoginAccounting:
            return std::make_unique<TWtmpEventSource>(path);
    }
    return nullptr;
}
