#include <algorithm>

#include "framework/Canvas.h"

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

TBitmap::TBitmap(int width, int height, TPixel fill)
    : buffer_(width, height, fill), canvas_(std::make_unique<TCanvas>(buffer_)) {}

TBitmap::TBitmap(int width, int height, TNoFill)
    : buffer_(width, height, NoFill), canvas_(std::make_unique<TCanvas>(buffer_)) {}

void TBitmap::SetSize(int width, int height) {
    if (width == buffer_.Width() && height == buffer_.Height()) return;
    buffer_.Resize(width, height);
}
