#pragma once

#include "framework/GraphicControl.h"
#include "graphics/Canvas.h"

// Shows a picture at its top-left corner (or centred, or stretched), blending its alpha
// over the parent when Transparent.
class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner = nullptr);

    const TPixelBuffer& Picture() const { return picture_; }
    void SetPicture(const TPixelBuffer& picture);
    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

  protected:
    void Paint(TCanvas& canvas) override;

  private:
    TPixelBuffer picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = true;
};

// A copy of a picture scaled to width x height by nearest neighbour.
TPixelBuffer ScalePicture(const TPixelBuffer& source, int width, int height);
