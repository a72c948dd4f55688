#include "framework/ImageList.h"

#include <algorithm>

#include "framework/Image.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(1, width)), height_(std::max(1, height)) {}

int TImageList::Add(const TPixelBuffer& image) {
    if (image.Width() == width_ && image.Height() == height_)
        images_.push_back(image);
    else
        images_.push_back(ScalePicture(image, width_, height_));
    return Count() - 1;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    if (enabled)
        canvas.Draw(x, y, images_[index], true);
    else
        canvas.Draw(x, y, Greyed(images_[index]), true);
}

TPixelBuffer TImageList::Greyed(const TPixelBuffer& image) {
    TPixelBuffer out = image;
    for (int y = 0; y < out.Height(); ++y) {
        for (TPixel* p = out.Row(y); p != out.Row(y) + out.Width(); ++p) {
            unsigned r = (*p >> 16) & 0xFF, g = (*p >> 8) & 0xFF, b = *p & 0xFF;
            unsigned luma = (r * 77 + g * 151 + b * 28) >> 8;
            unsigned v = 128 + luma / 2;  // lightened so it reads as inactive
            *p = (*p & 0xFF000000u) | (v << 16) | (v << 8) | v;
        }
    }
    return out;
}
