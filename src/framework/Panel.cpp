#include "framework/Panel.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "graphics/Frame3D.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetControlStyle(ControlStyle() | csOpaque);
}

void TPanelBevels::SetBevelOuter(TBevelCut bevel) {
    if (StoreChanged(bevelOuter_, bevel)) BevelsChanged();
}

void TPanelBevels::SetBevelInner(TBevelCut bevel) {
    if (StoreChanged(bevelInner_, bevel)) BevelsChanged();
}

void TPanelBevels::SetBevelWidth(int width) {
    width = std::clamp(width, 1, 1000);
    if (StoreChanged(bevelWidth_, width)) BevelsChanged();
}

void TPanelBevels::SetBorderWidth(int width) {
    width = std::clamp(width, 0, 1000);
    if (StoreChanged(borderWidth_, width)) BevelsChanged();
}

int TPanelBevels::BevelInset() const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    return inset;
}

void TPanel::SetAlignment(TAlignment alignment) {
    if (StoreChanged(alignment_, alignment)) Invalidate();
}

void TPanel::BevelsChanged() {
    Realign();
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) const {
    const int inset = BevelInset();
    rect = rect.Inflate(-inset, -inset);
}

namespace {

void PaintBevel(TCanvas& canvas, TRect& rect, TBevelCut bevel, int width) {
    if (bevel == bvNone) return;
    if (bevel == bvSpace) {
        rect = rect.Inflate(-width, -width);
        return;
    }
    bool raised = bevel == bvRaised;
    Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow,
            raised ? clBtnShadow : clBtnHighlight, width);
}

}  // namespace

void TPanel::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Brush().Color = Color();
    canvas.FillRect(r);
    PaintBevels(canvas, r);
    if (Caption().empty()) return;
    canvas.Brush().Style = bsClear;
    unsigned format = dtSingleLine | dtVCenter | dtExpandTabs;
    format |= alignment_ == taLeftJustify    ? dtLeft
              : alignment_ == taRightJustify ? dtRight
                                             : dtCenter;
    canvas.DrawText(Caption(), r, format);
}

void TPanelBevels::PaintBevels(TCanvas& canvas, TRect& rect) const {
    PaintBevel(canvas, rect, bevelOuter_, bevelWidth_);
    rect = rect.Inflate(-borderWidth_, -borderWidth_);
    PaintBevel(canvas, rect, bevelInner_, bevelWidth_);
}
