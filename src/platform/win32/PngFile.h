#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Result.h"
#include "graphics/Canvas.h"

// PNG as RGBA (the alpha from the pixel's top byte), compressed not at all: the deflate
// stream is made of stored blocks, so no compression library is needed. Screenshots are the
// only pictures written, and they stay a few megabytes.
std::vector<std::uint8_t> EncodePng(const TPixelBuffer& buffer);

// Fails, naming the file, when the picture is empty or the file cannot be written.
TResult<void> SavePng(const TPixelBuffer& buffer, const std::string& path);
