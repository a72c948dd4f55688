#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The system's own login accounting file.
constexpr const char* kLiveWtmpPath = "/var/log/wtmp";

// The live log and, when log rotation has kept it, its predecessor, the newest first; together
// they are the history the system keeps.
inline std::vector<std::string> LiveLogFiles() {
    std::vector<std::string> files{kLiveWtmpPath};
    std::string rotated = std::string(kLiveWtmpPath) + ".1";
    std::error_code ec;
    if (std::filesystem::exists(rotated, ec)) files.push_back(rotated);
    return files;
}
