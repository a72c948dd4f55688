#pragma once

#include <cstdint>

#include "framework/CustomControl.h"

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// The frame of a panel: an outer and an inner bevel, BevelWidth deep, BorderWidth apart.
// Widths are kept to 1000 pixels, so that insets cannot overflow. A change calls BevelsChanged.
class TPanelBevels {
  public:
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

  protected:
    virtual ~TPanelBevels() = default;
    virtual void BevelsChanged() = 0;
    // The pixels the bevels and the border between them take from each side.
    int BevelInset() const;
    // Draws the bevels on the edges of rect and shrinks rect to their inside.
    void PaintBevels(TCanvas& canvas, TRect& rect) const;

  private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

// A plain container: filled with Color, with its bevels, and its caption centred. Children are
// aligned inside the bevels.
class TPanel : public TCustomControl, public TPanelBevels {
  public:
    explicit TPanel(TComponent* owner = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

  protected:
    void Paint(TCanvas& canvas) override;
    void AdjustClientRect(TRect& rect) const override;

    void BevelsChanged() override;

  private:
    TAlignment alignment_ = taCenter;
};
