#pragma once

#include <vector>

#include "framework/Component.h"
#include "graphics/Canvas.h"

// Pictures of one size, drawn by index with their alpha; a disabled picture is drawn greyed.
class TImageList : public TComponent {
  public:
    explicit TImageList(TComponent* owner = nullptr, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Pictures of another size are scaled to the list's size. Returns the new index.
    int Add(const TPixelBuffer& image);
    void Clear() { images_.clear(); }
    const TPixelBuffer& Image(int index) const { return images_.at(index); }
    // Draws nothing for an index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    // The greyed look of a disabled picture: its luminance, lightened, alpha kept.
    static TPixelBuffer Greyed(const TPixelBuffer& image);

  private:
    int width_;
    int height_;
    std::vector<TPixelBuffer> images_;
};
