#pragma once

#include <string>

#include "base/Result.h"
#include "graphics/Canvas.h"

// PNG files as RGBA, the alpha kept in the pixel's top byte. A failure (an unreadable, corrupt
// or oversized file, a write the system refuses) names the file and the reason.
// SavePng replaces the file in one step: a failed write leaves what was at path untouched.
// It does not judge the target; the caller refuses names that must not be replaced.
TResult<void> SavePng(const TPixelBuffer& buffer, const std::string& path);
TResult<TPixelBuffer> LoadPng(const std::string& path);
