#pragma once

#include <string>

// The formats of log file Vigil reads, told apart by their first bytes, not their names.
enum TLogFileFormat {
    lfLoginAccounting,  // wtmp; it has no signature, so anything else is taken for it
    lfEvt,              // Windows NT event log
    lfEvtx,             // Windows XML event log
};

TLogFileFormat LogFileFormatOf(const std::string& path);

// Why a file with a Windows event log signature cannot be read at all, or empty when it can
// (damage inside it is reported while it is read).
std::string WindowsLogFileProblem(const std::string& path, TLogFileFormat format);
