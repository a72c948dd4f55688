#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The journal files named on the command line, or those of one named folder, sorted into the
// ones libsystemd opens and the ones it refuses (truncated or damaged beyond its repair).
struct TJournalFileSet {
    std::vector<std::string> Readable;
    std::vector<std::string> Refused;  // "path: why", one per refused file
    std::uint64_t RefusedBytes = 0;
    std::string Problem;  // why nothing can be read; empty when something can
};

TJournalFileSet SortJournalFiles(const std::vector<std::string>& paths);

// "N of M journal files skipped (B bytes): first reason[; …]", or empty when none were.
std::string RefusedFilesText(const TJournalFileSet& set);

// journald names its files *.journal, and *.journal~ those it set aside after a crash.
bool HasJournalName(const std::string& path);

// Why this user cannot read the system journal of the machine with that id under root ("" for
// this machine's own folders), or empty when a system journal file is readable. denied tells
// that there is one, which this user may not read.
std::string SystemJournalProblem(const std::string& root, const std::string& machineId,
                                 bool& denied);
