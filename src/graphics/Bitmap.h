#pragma once

#include <memory>

#include "graphics/Canvas.h"
#include "graphics/PixelBuffer.h"

// An off-screen picture with its own canvas.
class TBitmap {
  public:
    TBitmap(int width = 0, int height = 0, TPixel fill = 0xFFFFFFFF);
    TBitmap(int width, int height, TNoFill);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return buffer_.Width(); }
    int Height() const { return buffer_.Height(); }
    void SetSize(int width, int height);
    TCanvas& Canvas() { return *canvas_; }
    TPixelBuffer& Buffer() { return buffer_; }
    const TPixelBuffer& Buffer() const { return buffer_; }

  private:
    TPixelBuffer buffer_;
    std::unique_ptr<TCanvas> canvas_;
};
