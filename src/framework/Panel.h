#pragma once

#include <cstdint>

#include "framework/CustomControl.h"

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// A plain container: filled with Color, with an optional outer and inner bevel separated by
// BorderWidth, and its caption centred. Children are aligned inside the bevels.
class TPanel : public TCustomControl {
  public:
    explicit TPanel(TComponent* owner = nullptr);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

  protected:
    void Paint(TCanvas& canvas) override;
    void AdjustClientRect(TRect& rect) const override;

  private:
    void BordersChanged();

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

// Draws a rectangle's edges, topLeft on the left and top, bottomRight on the right and
// bottom, width pixels deep, and shrinks rect by them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
