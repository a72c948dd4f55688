#include "widgets/WsCustomPanel.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "widgets/WsParentBackground.h"
#include "widgets/WsShading.h"

TWsCustomPanel::TWsCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TWsCustomPanel::BorderSettingChanged(bool styleChanged) {
    if (styleChanged) BorderStyleChanged();
    Realign();
    Invalidate();
}

void TWsCustomPanel::SetBorderOuter(TFrameStyleEx style) {
    if (StoreChanged(border_.Outer, style)) BorderSettingChanged(true);
}
void TWsCustomPanel::SetBorderInner(TFrameStyleEx style) {
    if (StoreChanged(border_.Inner, style)) BorderSettingChanged(true);
}
void TWsCustomPanel::SetBorderSides(TSides sides) {
    if (StoreChanged(border_.Sides, sides)) BorderSettingChanged(true);
}
void TWsCustomPanel::SetBorderWidth(int width) {
    if (StoreChanged(border_.BorderWidth, std::clamp(width, 0, 1 << 12)))
        BorderSettingChanged(false);
}
void TWsCustomPanel::SetBorderColor(TColor color) {
    if (StoreChanged(border_.BorderColor, color)) Invalidate();
}
void TWsCustomPanel::SetBevelWidth(int width) {
    if (StoreChanged(border_.BevelWidth, std::clamp(width, 1, 1 << 12)))
        BorderSettingChanged(false);
}
void TWsCustomPanel::SetHighlightColor(TColor color) {
    if (StoreChanged(border_.Highlight, color)) Invalidate();
}
void TWsCustomPanel::SetShadowColor(TColor color) {
    if (StoreChanged(border_.Shadow, color)) Invalidate();
}
void TWsCustomPanel::SetFlatColor(TColor color) {
    if (StoreChanged(border_.FlatColor, color)) Invalidate();
}
void TWsCustomPanel::SetFlatColorAdjustment(int amount) {
    if (StoreChanged(border_.FlatColorAdjustment, amount)) Invalidate();
}
void TWsCustomPanel::SetTransparent(bool transparent) {
    if (StoreChanged(border_.Transparent, transparent)) Invalidate();
}

void TWsCustomPanel::SetVisualStyle(TWsVisualStyle style) {
    if (!StoreChanged(visualStyle_, style)) return;
    Invalidate();
    VisualStyleChanged();
}
void TWsCustomPanel::SetGradientColorStyle(TWsGradientColorStyle style) {
    if (!StoreChanged(gradientColorStyle_, style)) return;
    Invalidate();
    VisualStyleChanged();
}
void TWsCustomPanel::SetGradientColorStart(TColor color) {
    if (StoreChanged(gradientStart_, color)) Invalidate();
}
void TWsCustomPanel::SetGradientColorStop(TColor color) {
    if (StoreChanged(gradientStop_, color)) Invalidate();
}
void TWsCustomPanel::SetGradientDirection(TGradientDirection direction) {
    if (StoreChanged(gradientDirection_, direction)) Invalidate();
}

TPanelBorderStyle TWsCustomPanel::PanelBorderStyle() const {
    TPanelBorderStyle style = border_;
    const TFlatColor flat = PanelBorderFlatColor(Display(), visualStyle_, gradientColorStyle_,
                                                 {border_.FlatColor, border_.FlatColorAdjustment});
    style.FlatColor = flat.Color;
    style.FlatColorAdjustment = flat.Adjustment;
    style.ParentColor = Parent() ? Parent()->Color() : Color();
    return style;
}

TRect TWsCustomPanel::InsideBorders(const TRect& rect) const {
    return PanelBordersInside(rect, border_);
}

void TWsCustomPanel::AdjustClientRect(TRect& rect) const {
    // Children are aligned in the same area that the border is painted around.
    rect = InsideBorders(PanelRect());
}

TRect TWsCustomPanel::PanelRect() const {
    return ClientRect();
}

TShadeColors TWsCustomPanel::BackgroundShadeColors() const {
    if (gradientColorStyle_ == gcsCustom) return {gradientStart_, gradientStop_};
    return PanelShadeColors(Display(), gradientColorStyle_);
}

void TWsCustomPanel::PaintBackground(TCanvas& canvas, const TRect& inside) const {
    if (border_.Transparent || inside.IsEmpty()) return;
    if (visualStyle_ != vsGradient) {
        canvas.Brush().Color = Color();
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(inside);
        return;
    }
    // Bands that run across the whole width (or height) look the same whatever part of them is
    // drawn, so only the columns (or rows) under the clip are shaded.
    TRect shaded = inside;
    const TRect clip = canvas.ClipBounds();
    switch (gradientDirection_) {
        case gdHorizontalEnd:
        case gdHorizontalCenter:
            shaded.Left = std::max(shaded.Left, clip.Left);
            shaded.Right = std::min(shaded.Right, clip.Right);
            break;
        case gdVerticalEnd:
        case gdVerticalCenter:
            shaded.Top = std::max(shaded.Top, clip.Top);
            shaded.Bottom = std::min(shaded.Bottom, clip.Bottom);
            break;
        default:
            break;
    }
    if (shaded.IsEmpty()) return;
    const TShadeColors colors = BackgroundShadeColors();
    ShadeRect(canvas, shaded, gradientDirection_, colors.Start, colors.Stop, 1);
}

void TWsCustomPanel::EraseBackground(TCanvas& canvas) {
    if (border_.Transparent && Parent())
        PaintParentBackground(*this, canvas);
    else
        TCustomControl::EraseBackground(canvas);
}

void TWsCustomPanel::Paint(TCanvas& canvas) {
    const TRect rect = PanelRect();
    const TRect inside = DrawPanelBorders(canvas, rect, PanelBorderStyle());
    PaintBackground(canvas, inside);
}
