#pragma once

#include <string>

// The problem text for a file whose records are not login accounting records.
inline constexpr const char* kNotLoginAccountingFile = "not a login accounting file";

// Why a file named by the user cannot be read as a login accounting file, or empty when it
// can: a file is refused as no log only when no plausible record starts at any byte of its
// first or its last 33 records' worth. An empty file is a valid, empty log.
std::string WtmpFileProblem(const std::string& path);
