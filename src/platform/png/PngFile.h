#pragma once

#include <string>

#include "graphics/Canvas.h"

// PNG files as RGBA, the alpha kept in the pixel's top byte. Failures (unreadable, corrupt or
// oversized files) return false with a reason in *error; the output buffer is then untouched.
// SavePng replaces the file in one step: a failed write leaves what was at path untouched.
// It does not judge the target; the caller refuses names that must not be replaced.
bool SavePng(const TPixelBuffer& buffer, const std::string& path, std::string* error = nullptr);
bool LoadPng(const std::string& path, TPixelBuffer& out, std::string* error = nullptr);
