#pragma once

#include "framework/CustomControl.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsPanelBorders.h"
#include "widgets/WsTypes.h"

// The widget set's panel, shared by the tool bar and the status bar: a border of outer bevel,
// plain ring and inner bevel drawn by DrawPanelBorders, and inside it a background filled with
// Color (vsClassic, vsWinXP) or shaded (vsGradient). Children are aligned inside the border.
class TWsCustomPanel : public TCustomControl {
  public:
    explicit TWsCustomPanel(TComponent* owner = nullptr);

    TFrameStyleEx BorderOuter() const { return border_.Outer; }
    void SetBorderOuter(TFrameStyleEx style);
    TFrameStyleEx BorderInner() const { return border_.Inner; }
    void SetBorderInner(TFrameStyleEx style);
    TSides BorderSides() const { return border_.Sides; }
    void SetBorderSides(TSides sides);
    int BorderWidth() const { return border_.BorderWidth; }
    void SetBorderWidth(int width);
    TColor BorderColor() const { return border_.BorderColor; }
    void SetBorderColor(TColor color);
    int BevelWidth() const { return border_.BevelWidth; }
    void SetBevelWidth(int width);
    TColor HighlightColor() const { return border_.Highlight; }
    void SetHighlightColor(TColor color);
    TColor ShadowColor() const { return border_.Shadow; }
    void SetShadowColor(TColor color);
    TColor FlatColor() const { return border_.FlatColor; }
    void SetFlatColor(TColor color);
    int FlatColorAdjustment() const { return border_.FlatColorAdjustment; }
    void SetFlatColorAdjustment(int amount);
    // A transparent panel fills nothing inside its border.
    bool Transparent() const { return border_.Transparent; }
    void SetTransparent(bool transparent);

    TWsVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TWsVisualStyle style);
    TWsGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TWsGradientColorStyle style);
    // The shading's colours under gcsCustom.
    TColor GradientColorStart() const { return gradientStart_; }
    void SetGradientColorStart(TColor color);
    TColor GradientColorStop() const { return gradientStop_; }
    void SetGradientColorStop(TColor color);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection direction);

    // The border settings as DrawPanelBorders takes them, with the flat colour the visual
    // style picks.
    TPanelBorderStyle PanelBorderStyle() const;
    // The rectangle left inside the border of rect.
    TRect InsideBorders(const TRect& rect) const;

    // A transparent panel shows its parent's picture where it paints nothing.
    void EraseBackground(TCanvas& canvas) override;

  protected:
    void Paint(TCanvas& canvas) override;
    void AdjustClientRect(TRect& rect) const override;
    // The rectangle the border and background are painted in; the client rectangle here.
    virtual TRect PanelRect() const;
    // The two colours of the vsGradient background.
    virtual TShadeColors BackgroundShadeColors() const;
    // Fills (or shades) the background inside the border; only the part under the clip is
    // drawn.
    void PaintBackground(TCanvas& canvas, const TRect& inside) const;
    // BorderOuter, BorderInner or BorderSides was set to a new value (before the relayout
    // and repaint).
    virtual void BorderStyleChanged() {}
    // VisualStyle or GradientColorStyle changed (after the repaint was asked for).
    virtual void VisualStyleChanged() {}

  private:
    void BorderSettingChanged(bool styleChanged);

    TPanelBorderStyle border_;
    TWsVisualStyle visualStyle_ = vsWinXP;
    TWsGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientStart_ = clWhite;
    TColor gradientStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
};
