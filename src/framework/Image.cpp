#include "framework/Image.h"

#include <algorithm>

#include "base/StoreChanged.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    SetParentColor(true);
}

void TImage::SetPicture(const TPixelBuffer& picture) {
    picture_ = picture;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    if (StoreChanged(center_, center)) Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (StoreChanged(stretch_, stretch)) Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    if (StoreChanged(transparent_, transparent)) Invalidate();
}

TPixelBuffer ScalePicture(const TPixelBuffer& source, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    TPixelBuffer out(width, height, 0);
    if (source.Width() == 0 || source.Height() == 0) return out;
    for (int y = 0; y < height; ++y) {
        const TPixel* row =
            source.Row(static_cast<int>(static_cast<long long>(y) * source.Height() / height));
        for (int x = 0; x < width; ++x)
            out.Row(y)[x] = row[static_cast<long long>(x) * source.Width() / width];
    }
    return out;
}

void TImage::Paint(TCanvas& canvas) {
    if (!transparent_) {
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
    }
    if (picture_.Width() == 0 || picture_.Height() == 0) return;
    if (stretch_) {
        canvas.Draw(0, 0, ScalePicture(picture_, Width(), Height()), transparent_);
        return;
    }
    int x = center_ ? (Width() - picture_.Width()) / 2 : 0;
    int y = center_ ? (Height() - picture_.Height()) / 2 : 0;
    canvas.Draw(x, y, picture_, transparent_);
}
