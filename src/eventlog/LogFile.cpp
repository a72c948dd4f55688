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

TResult<void> CheckLogFile(const std::string& path, const TLogFileReaders& readers) {
    const TLogFileFormat format = LogFileFormatOf(path);
    switch (format) {
        case lfEvt:
        case lfEvtx:
            return CheckWindowsLogFile(path, format);
        case lfJournal:
        case lfSqlite: {
            const TLogFileReader& reader = ReaderOf(format, readers);
            if (!reader.Check)
                return TError(format == lfJournal
                                  ? "a systemd journal, which this build of Vigil cannot read"
                                  : "an SQLite database, which this build of Vigil cannot read");
            return reader.Check({path});
        }
        case lfLoginAccounting:
            break;
    }
    TResult<void> wtmp = CheckWtmpFile(path);
    if (!wtmp && wtmp.Error() == kNotLoginAccountingFile)
        return TError(
            "not a log file (not a login accounting file, systemd journal, wtmpdb database or "
            "Windows event log)");
    return wtmp;
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
