#include "widgets/WsStatusBar.h"

#include <algorithm>
#include <cmath>

#include "base/Rounding.h"
#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Form.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"

namespace {

constexpr int kGripWidth = 13;

}  // namespace

TWsStatusBar::TWsStatusBar(TComponent* owner) : TWsCustomPanel(owner) {
    ApplyAutoStyle();
}

void TWsStatusBar::ApplyAutoStyle() {
    applyingAutoStyle_ = true;
    SetAlign(alBottom);
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(AllSides);
    SetHeight(19);
    SetBorderWidth(0);
    applyingAutoStyle_ = false;
}

void TWsStatusBar::BorderStyleChanged() {
    if (!applyingAutoStyle_) autoStyle_ = false;
}

void TWsStatusBar::SetAutoStyle(bool autoStyle) {
    autoStyle_ = autoStyle;
}

void TWsStatusBar::Loaded() {
    if (autoStyle_) ApplyAutoStyle();
    TWsCustomPanel::Loaded();
}

void TWsStatusBar::SetShowSizeGrip(bool show) {
    if (!StoreChanged(showSizeGrip_, show)) return;
    Invalidate();
}

void TWsStatusBar::SetAutoScalePanes(bool scale) {
    if (StoreChanged(autoScalePanes_, scale)) scaledWidth_ = -1;
}

void TWsStatusBar::SetSimpleStatus(bool simple) {
    if (!StoreChanged(simpleStatus_, simple)) return;
    DisableAlign();
    if (simple) {
        hiddenBySimple_.clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible()) continue;
            hiddenBySimple_.push_back(c);
            c->Hide();
        }
    } else {
        // Only what the simple status hid comes back; a pane hidden by the program stays so.
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (std::find(hiddenBySimple_.begin(), hiddenBySimple_.end(), c) !=
                hiddenBySimple_.end())
                c->Show();
        }
        hiddenBySimple_.clear();
    }
    Realign();
    EnableAlign();
    Invalidate();
}

void TWsStatusBar::SetSimpleCaption(const std::string& caption) {
    if (StoreChanged(simpleCaption_, caption) && simpleStatus_) Invalidate();
}

void TWsStatusBar::SetSimpleFrameStyle(TFrameStyle style) {
    if (StoreChanged(simpleFrameStyle_, style) && simpleStatus_) Invalidate();
}

TRect TWsStatusBar::PanelRect() const {
    // Without themes the bar's area reaches one pixel past each side and starts a row down.
    return {-1, simpleStatus_ ? 2 : 1, Width() + 1, Height() + 1};
}

TShadeColors TWsStatusBar::BackgroundShadeColors() const {
    if (GradientColorStyle() == gcsCustom) return {GradientColorStop(), GradientColorStart()};
    const TStatusColors colors = StatusShadeColors(Display(), GradientColorStyle());
    return {colors.Dark, colors.Light};
}

bool TWsStatusBar::SizeGripValid() const {
    const TForm* form = Form();
    return showSizeGrip_ && form && form->BorderStyle() == bsSizeable &&
           form->WindowState() != wsMaximized;
}

TRect TWsStatusBar::SizeGripRect() const {
    return {Width() - kGripWidth, 0, Width(), Height()};
}

TCursor TWsStatusBar::CursorAt(TPoint pos) const {
    if (SizeGripValid() && SizeGripRect().Contains(pos)) return crSizeNWSE;
    return TWsCustomPanel::CursorAt(pos);
}

TFrameHit TWsStatusBar::FrameHitAt(TPoint pos) const {
    return SizeGripValid() && SizeGripRect().Contains(pos) ? fhSizeBottomRight : fhClient;
}

void TWsStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // The platform turns a press on the grip into a frame drag before it arrives here; one
    // that still arrives is not passed on.
    if (button == mbLeft && SizeGripValid() && SizeGripRect().Contains({x, y})) {
        SetMouseCapture(false);
        return;
    }
    TWsCustomPanel::MouseDown(button, shift, x, y);
}

void TWsStatusBar::Resize() {
    if (autoScalePanes_) {
        const int previous = scaledWidth_;
        scaledWidth_ = Width();
        const int change = Width() - previous;
        // A bar that had no width gives no ratio to scale by.
        if (previous > 0 && change != 0) {
            DisableAlign();
            for (int i = 0; i < ControlCount(); ++i) {
                TControl* c = Controls(i);
                const float ratio = static_cast<float>(c->Width()) / static_cast<float>(previous);
                const double grow = static_cast<double>(change) * static_cast<double>(ratio);
                c->SetWidth(c->Width() + static_cast<int>(Round(grow)));
            }
            EnableAlign();
        }
    }
    TWsCustomPanel::Resize();
}

void TWsStatusBar::Paint(TCanvas& canvas) {
    TWsCustomPanel::Paint(canvas);
    if (simpleStatus_) PaintSimpleStatus(canvas);
    if (SizeGripValid()) PaintSizeGrip(canvas);
}

void TWsStatusBar::PaintSimpleStatus(TCanvas& canvas) {
    TRect r = PanelRect();
    r.Bottom -= 1;
    TCanvasStateSaver saver(canvas);
    if (VisualStyle() == vsClassic) {
        if (simpleFrameStyle_ == fsFlat) {
            DrawCornerlessOutline(canvas, r, ShiftLightness(FlatColor(), FlatColorAdjustment()));
        } else {
            DrawStyledFrame(canvas, r, simpleFrameStyle_);
        }
    }
    if (simpleCaption_.empty()) return;
    const TRect inner = r.Inflate(-1, -1);
    canvas.IntersectClipRect(inner);
    canvas.Font() = Font();
    canvas.Brush().Style = bsClear;
    canvas.SetTextAlign(taLeft);
    const int y = inner.Top + (inner.Height() - canvas.TextHeight("Pp")) / 2;
    canvas.TextOut(inner.Left + 2, y, simpleCaption_);
}

void TWsStatusBar::PaintSizeGrip(TCanvas& canvas) {
    const TRect client = PanelRect();
    const int r = client.Right;
    const int b = client.Bottom - 1;
    TColor highlight = clBtnHighlight;
    TColor shadow = clBtnShadow;
    if (VisualStyle() == vsGradient) {
        const TStatusColors colors = StatusShadeColors(Display(), GradientColorStyle());
        highlight = colors.Light;
        shadow = colors.Third;
    }
    static constexpr TPoint kDots[] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
    TCanvasStateSaver saver(canvas);
    canvas.Brush() = TBrush{highlight, bsSolid};
    for (TPoint d : kDots) canvas.FillRect(Bounds(r - d.X, b - d.Y, 2, 2));
    canvas.Brush().Color = shadow;
    for (TPoint d : kDots) canvas.FillRect(Bounds(r - d.X - 1, b - d.Y - 1, 2, 2));
}

void TWsStatusBar::DescribeAccessible(TAccDescription& d) const {
    TWsCustomPanel::DescribeAccessible(d);
    d.Role = arStatusBar;
}
