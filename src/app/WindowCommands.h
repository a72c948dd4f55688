#pragma once

#include <string>
#include <vector>

// Why a screenshot must not be written to target, or empty: an existing target must be a
// regular file (a device or a pipe would be destroyed or hang the write) and must not be one
// of the log files being read, by whatever name or link it is given.
std::string ScreenshotTargetProblem(const std::string& target,
                                    const std::vector<std::string>& logFiles);
