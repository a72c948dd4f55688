#pragma once

#include <string>
#include <vector>

#include "base/Result.h"

// Whether a screenshot may be written to target, and why not: an existing target must be a
// regular file (a device or a pipe would be destroyed or hang the write) and must not be one
// of the log files being read, by whatever name or link it is given.
TResult<void> CheckScreenshotTarget(const std::string& target,
                                    const std::vector<std::string>& logFiles);
