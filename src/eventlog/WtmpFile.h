#pragma once

#include <string>

// The problem text for a file whose records are not login accounting records.
inline constexpr const char* kNotLoginAccountingFile = "not a login accounting file";

// Why a file named by the user cannot be read as a login accounting file, or empty when it
// can. An empty file is a valid, empty log.
std::string WtmpFileProblem(const std::string& path);
