#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/journal/JournalFiles_p.h"
#include "platform/journal/JournalHandle_p.h"

namespace fs = std::filesystem;

namespace {

constexpr char kSignature[] = "LPKSHHRH";

bool HasJournalSignature(const std::string& path) {
    char head[8] = {};
    std::ifstream in(path, std::ios::binary);
    return in.read(head, sizeof head) && std::memcmp(head, kSignature, sizeof head) == 0;
}

// The journal files in folder and, one level down, in its machine-id folders (a copied
// /var/log/journal holds them there).
void JournalFilesIn(const fs::path& folder, bool below, std::vector<std::string>& files,
                    std::error_code& ec) {
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        std::error_code kind;
        if (below && e.is_directory(kind)) {
            std::error_code inner;
            JournalFilesIn(e.path(), false, files, inner);
        } else if (HasJournalName(e.path().string())) {
            files.push_back(e.path().string());
        }
    }
}

// The candidate files: the named files themselves, or the journal files in a named folder.
std::vector<std::string> Candidates(const std::vector<std::string>& paths, std::string& problem) {
    std::error_code ec;
    if (paths.size() == 1 && fs::is_directory(paths[0], ec)) {
        std::vector<std::string> files;
        JournalFilesIn(paths[0], true, files, ec);
        if (ec)
            problem = paths[0] + ": " + ec.message();
        else if (files.empty())
            problem = paths[0] + ": the folder holds no journal files";
        std::sort(files.begin(), files.end());
        return files;
    }
    return paths;
}

}  // namespace

bool HasJournalName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    for (const char* ext : {".journal", ".journal~"}) {
        std::size_t n = std::strlen(ext);
        if (name.size() > n && name.compare(name.size() - n, n, ext) == 0) return true;
    }
    return false;
}

TJournalFileSet SortJournalFiles(const std::vector<std::string>& paths) {
    TJournalFileSet set;
    if (paths.empty()) set.Problem = "no journal files named";
    for (const std::string& path : Candidates(paths, set.Problem)) {
        std::error_code ec;
        std::string why;
        // Only regular files are opened, so that a named pipe given by mistake cannot hang it.
        if (!fs::is_regular_file(path, ec))
            why = "not a regular file";
        else if (!HasJournalSignature(path))
            why = "not a systemd journal file";
        else if (OpenJournalFiles({path}, why)) {
            set.Readable.push_back(path);
            continue;
        } else
            why = "damaged (" + why + ")";
        set.Refused.push_back(path + ": " + why);
        std::uintmax_t size = fs::file_size(path, ec);
        if (!ec) set.RefusedBytes += size;
    }
    if (set.Readable.empty() && set.Problem.empty() && !set.Refused.empty())
        set.Problem = set.Refused.front();
    return set;
}

std::string RefusedFilesText(const TJournalFileSet& set) {
    if (set.Refused.empty()) return {};
    std::string text = std::to_string(set.Refused.size()) + " of " +
                       std::to_string(set.Refused.size() + set.Readable.size()) +
                       " journal files skipped (" + std::to_string(set.RefusedBytes) + " bytes): ";
    for (std::size_t i = 0; i < set.Refused.size(); ++i) text += (i ? "; " : "") + set.Refused[i];
    return text;
}

std::string SystemJournalProblem(const std::string& root, const std::string& machineId,
                                 bool& denied) {
    bool any = false;
    denied = false;
    for (const char* base : {"/var/log/journal/", "/run/log/journal/"}) {
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(root + base + machineId, ec)) {
            std::string path = e.path().string();
            if (e.path().filename().string().rfind("system", 0) != 0 || !HasJournalName(path))
                continue;
            if (access(path.c_str(), R_OK) == 0) return {};
            any = true;
        }
    }
    if (!any)
        return "no system journal: neither /var/log/journal/" + machineId +
               " nor /run/log/journal/" + machineId + " holds one";
    denied = true;
    return "the system journal may be read only by root and the members of the systemd-journal "
           "and adm groups";
}
