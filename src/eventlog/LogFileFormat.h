#pragma once

#include <string>

#include "base/Result.h"

// The formats of log file Vigil reads, told apart by their first bytes, not their names.
enum TLogFileFormat {
    lfLoginAccounting,  // wtmp; it has no signature, so anything else is taken for it
    lfEvt,              // Windows NT event log
    lfEvtx,             // Windows XML event log
    lfJournal,          // systemd journal file, or a folder holding journal files
    lfSqlite,           // SQLite database: wtmpdb when it holds a wtmp table
};

TLogFileFormat LogFileFormatOf(const std::string& path);

// The name of the format as --print and --help give it: "wtmp", "evt", "evtx", "journal",
// "wtmpdb".
const char* LogFileFormatName(TLogFileFormat format);

// Whether a file with a Windows event log signature can be read at all, and why not (damage
// inside it is reported while it is read).
TResult<void> CheckWindowsLogFile(const std::string& path, TLogFileFormat format);
