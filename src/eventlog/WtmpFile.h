#pragma once

#include <string>

#include "base/Result.h"

// The error text for a file whose records are not login accounting records.
inline constexpr const char* kNotLoginAccountingFile = "not a login accounting file";

// Whether a file named by the user can be read as a login accounting file, and why not: a
// file is refused as no log only when no plausible record starts at any byte of its first or
// its last 33 records' worth. An empty file is a valid, empty log.
TResult<void> CheckWtmpFile(const std::string& path);
