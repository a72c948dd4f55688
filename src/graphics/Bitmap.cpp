#include "graphics/Bitmap.h"

TBitmap::TBitmap(int width, int height, TPixel fill)
    : buffer_(width, height, fill), canvas_(std::make_unique<TCanvas>(buffer_)) {}

TBitmap::TBitmap(int width, int height, TNoFill)
    : buffer_(width, height, NoFill), canvas_(std::make_unique<TCanvas>(buffer_)) {}

void TBitmap::SetSize(int width, int height) {
    if (width == buffer_.Width() && height == buffer_.Height()) return;
    buffer_.Resize(width, height);
}
