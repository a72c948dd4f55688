#pragma once

#include <string>

// Why a file named by the user cannot be read as a login accounting file, or empty when it
// can. An empty file is a valid, empty log.
std::string WtmpFileProblem(const std::string& path);
