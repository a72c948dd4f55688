#include "graphics/PixelBuffer.h"

#include <algorithm>

TPixelBuffer::TPixelBuffer(int width, int height, TPixel fill) {
    Resize(width, height, fill);
}

TPixelBuffer::TPixelBuffer(int width, int height, TNoFill) {
    SetSides(width, height);
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
}

void TPixelBuffer::Resize(int width, int height, TPixel fill) {
    SetSides(width, height);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
}

void TPixelBuffer::SetSides(int width, int height) {
    width = std::clamp(width, 0, kMaxSide);
    height = std::clamp(height, 0, kMaxSide);
    if (width == 0 || height == 0) width = height = 0;
    width_ = width;
    height_ = height;
}
