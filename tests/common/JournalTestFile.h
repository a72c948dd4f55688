#pragma once

// systemd journal files for tests, fuzz seeds and benchmarks, written by systemd's own
// systemd-journal-remote from journal export text (FIELD=value lines, an empty line after
// each entry).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

struct TJournalEntry {
    std::uint64_t Realtime = 0;   // microseconds since 1970
    std::uint64_t Monotonic = 0;  // microseconds since the boot
    std::string BootId;           // 32 hex digits
    std::vector<std::pair<std::string, std::string>> Fields;
};

inline void AppendExportEntry(std::string& text, const TJournalEntry& e) {
    text += "__REALTIME_TIMESTAMP=" + std::to_string(e.Realtime) + "\n";
    text += "__MONOTONIC_TIMESTAMP=" + std::to_string(e.Monotonic) + "\n";
    text += "_BOOT_ID=" + e.BootId + "\n";
    for (const auto& [name, value] : e.Fields) text += name + "=" + value + "\n";
    text += "\n";
}

// Where Debian puts systemd-journal-remote (package systemd-journal-remote), or empty.
inline std::string JournalRemoteProgram() {
    std::error_code ec;
    for (const char* p :
         {"/lib/systemd/systemd-journal-remote", "/usr/lib/systemd/systemd-journal-remote"})
        if (std::filesystem::exists(p, ec)) return p;
    return {};
}

// Writes the journal file out (its name ends in .journal) from the export text in the file
// exportPath; returns why it could not, or empty.
inline std::string WriteJournalFromExport(const std::string& exportPath, const std::string& out) {
    std::string program = JournalRemoteProgram();
    if (program.empty())
        return "systemd-journal-remote is missing: install the Debian package "
               "systemd-journal-remote (scripts/install-deps.sh)";
    std::error_code ec;
    std::filesystem::remove(out, ec);
    pid_t pid = fork();
    if (pid == 0) {
        std::string output = "--output=" + out;
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), output.c_str(), exportPath.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return program + " failed on " + exportPath;
    return {};
}

// Writes the entries as export text beside out and the journal file out from it.
inline std::string WriteJournal(const std::vector<TJournalEntry>& entries, const std::string& out) {
    std::string text;
    for (const TJournalEntry& e : entries) AppendExportEntry(text, e);
    std::string exportPath = out + ".export";
    std::ofstream(exportPath, std::ios::binary) << text;
    std::string why = WriteJournalFromExport(exportPath, out);
    std::error_code ec;
    std::filesystem::remove(exportPath, ec);
    return why;
}
