#include "widgets/WsStatusPane.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "graphics/Bitmap.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"
#include "widgets/WsStatusBar.h"

namespace {

// The pane's right end that the size grip keeps for itself.
constexpr int kGripReach = 12;

}  // namespace

TWsCustomStatusPane::TWsCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 100, 20);
    SetParentColor(true);
    SetControlStyle(csClickEvents | csCaptureMouse | csDoubleClicks);
    textColor_ = Font().Color();
    WsBlinkList::Join(this);
}

TWsCustomStatusPane::~TWsCustomStatusPane() {
    WsBlinkList::Leave(this);
}

TWsStatusBar* TWsCustomStatusPane::StatusBar() const {
    return dynamic_cast<TWsStatusBar*>(Parent());
}

void TWsCustomStatusPane::SetAlignment(TAlignment alignment) {
    if (StoreChanged(alignment_, alignment)) Invalidate();
}

void TWsCustomStatusPane::SetCaptionOffset(int offset) {
    if (!StoreChanged(captionOffset_, std::clamp(offset, -(1 << 12), 1 << 12))) return;
    AdjustWidth();
    Invalidate();
}

void TWsCustomStatusPane::SetBorderWidth(int width) {
    if (StoreChanged(borderWidth_, std::clamp(width, 0, 1 << 12))) Invalidate();
}

void TWsCustomStatusPane::SetFrameStyle(TFrameStyle style) {
    if (StoreChanged(frameStyle_, style)) Invalidate();
}

void TWsCustomStatusPane::SetFlatColor(TColor color) {
    if (StoreChanged(flatColor_, color)) Invalidate();
}

void TWsCustomStatusPane::SetFlatColorAdjustment(int amount) {
    if (StoreChanged(flatColorAdjustment_, amount)) Invalidate();
}

void TWsCustomStatusPane::SetFillColor(TColor color) {
    parentFillColor_ = false;
    if (StoreChanged(fillColor_, color)) Invalidate();
}

void TWsCustomStatusPane::SetParentFillColor(bool parentFillColor) {
    if (!StoreChanged(parentFillColor_, parentFillColor)) return;
    if (parentFillColor) fillColor_ = Color();
    Invalidate();
}

void TWsCustomStatusPane::SetTransparent(bool transparent) {
    if (StoreChanged(transparent_, transparent)) Invalidate();
}

void TWsCustomStatusPane::SetAutoSize(bool autoSize) {
    if (StoreChanged(autoSize_, autoSize)) AdjustWidth();
}

void TWsCustomStatusPane::SetDefaultWidth(int width) {
    if (StoreChanged(defaultWidth_, std::clamp(width, 0, 1 << 16))) AdjustWidth();
}

void TWsCustomStatusPane::SetBlinking(bool blinking) {
    if (!StoreChanged(blinking_, blinking)) return;
    if (!blinking) SetBlinkState(false);
    WsBlinkList::BlinkingChanged();
}

void TWsCustomStatusPane::SetBlinkColor(TColor color) {
    if (!StoreChanged(blinkColor_, color)) return;
    if (blinking_ && WsBlinkList::BlinkPhase()) SetBlinkState(true);
}

std::uint16_t TWsCustomStatusPane::BlinkIntervalOn() const {
    return WsBlinkList::IntervalOn();
}
void TWsCustomStatusPane::SetBlinkIntervalOn(std::uint16_t ms) {
    WsBlinkList::SetIntervalOn(ms);
}
std::uint16_t TWsCustomStatusPane::BlinkIntervalOff() const {
    return WsBlinkList::IntervalOff();
}
void TWsCustomStatusPane::SetBlinkIntervalOff(std::uint16_t ms) {
    WsBlinkList::SetIntervalOff(ms);
}

void TWsCustomStatusPane::SetBlinkState(bool blinkPhase) {
    const TColor color = blinkPhase ? blinkColor_ : Font().Color();
    if (!StoreChanged(textColor_, color)) return;
    Repaint();
}

void TWsCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    if (!ParentColor()) transparent_ = false;
    if (!blinking_) textColor_ = Font().Color();
    AdjustWidth();
}

void TWsCustomStatusPane::TextChanged() {
    AdjustWidth();
    Invalidate();
    AccessibleChanged(aeValue);
}

void TWsCustomStatusPane::FontChanged() {
    if (!Loading() && !blinking_) textColor_ = Font().Color();
    AdjustWidth();
    Invalidate();
}

void TWsCustomStatusPane::ColorChanged() {
    if (parentFillColor_) fillColor_ = Color();
    Invalidate();
}

int TWsCustomStatusPane::GetIdealWidth() const {
    if (Caption().empty()) return defaultWidth_;
    TBitmap measure(1, 1);
    measure.Canvas().Font() = Font();
    TRect r{0, 0, 0, 0};
    measure.Canvas().DrawText(Caption(), r, dtCalcRect | dtSingleLine | dtExpandTabs | dtNoPrefix);
    return 2 * borderWidth_ + r.Width() + captionOffset_ + 6;
}

void TWsCustomStatusPane::AdjustWidth() {
    if (!autoSize_ || Loading()) return;
    SetWidth(GetIdealWidth());
}

bool TWsCustomStatusPane::UnderSizeGrip(const TRect& rect) const {
    const TWsStatusBar* bar = StatusBar();
    return bar && bar->ShowSizeGrip() && rect.Right >= bar->Width();
}

bool TWsCustomStatusPane::HitTest(TPoint pos) const {
    // The grip's corner belongs to the bar even where a pane reaches under it.
    return !(UnderSizeGrip(BoundsRect()) && pos.X >= Width() - kGripReach);
}

TRect TWsCustomStatusPane::GetTextRect() const {
    int inset = borderWidth_ + 1;
    switch (frameStyle_) {
        case fsNone:
        case fsFlatRounded:
            inset = borderWidth_;
            break;
        case fsGroove:
        case fsBump:
        case fsLowered:
        case fsButtonDown:
        case fsRaised:
        case fsButtonUp:
        case fsFlatBold:
            inset = borderWidth_ + 2;
            break;
        default:
            break;
    }
    return ClientRect().Inflate(-inset, -inset);
}

void TWsCustomStatusPane::DrawPaneFrame(TCanvas& canvas) {
    TRect r = ClientRect();
    if (!transparent_) {
        canvas.Brush() = TBrush{Color(), bsSolid};
        canvas.FillRect(r);
    }
    r = r.Inflate(-borderWidth_, -borderWidth_);
    if (r.IsEmpty()) return;
    const TWsStatusBar* bar = StatusBar();
    TCanvasStateSaver saver(canvas);
    if (bar && bar->VisualStyle() == vsGradient) {
        if (Left() <= bar->BorderWidth()) return;
        canvas.Pen() =
            TPen{StatusShadeColors(Display(), bar->GradientColorStyle()).Third, 1, psSolid, pmCopy};
        canvas.MoveTo(r.Left, r.Top + 1);
        canvas.LineTo(r.Left, r.Bottom - 1);
        return;
    }
    if (frameStyle_ != fsFlat) {
        DrawStyledFrame(canvas, r, frameStyle_);
        return;
    }
    DrawCornerlessOutline(canvas, r, ShiftLightness(flatColor_, flatColorAdjustment_));
}

void TWsCustomStatusPane::DrawPaneCaption(TCanvas& canvas, const std::string& text) {
    if (text.empty()) return;
    const TRect tr = GetTextRect();
    if (tr.IsEmpty()) return;
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(tr);
    canvas.Font() = Font();
    int x = tr.Left + captionOffset_ + 1;
    unsigned align = taLeft;
    if (alignment_ == taRightJustify) {
        x = tr.Right - captionOffset_ - 1;
        align = taRight;
    } else if (alignment_ == taCenter) {
        x = tr.Left + tr.Width() / 2;
        align = taCenter;
    }
    canvas.SetTextAlign(align);
    const int y = tr.Top + (tr.Height() - canvas.TextHeight("Pp")) / 2;
    if (transparent_)
        canvas.Brush().Style = bsClear;
    else
        canvas.Brush() = TBrush{fillColor_, bsSolid};
    if (!Enabled()) {
        canvas.Font().SetColor(clBtnHighlight);
        canvas.TextOut(x + 1, y + 1, text);
        canvas.Brush().Style = bsClear;
        canvas.Font().SetColor(clBtnShadow);
    } else {
        canvas.Font().SetColor(textColor_);
    }
    canvas.TextOut(x, y, text);
}

void TWsCustomStatusPane::Paint(TCanvas& canvas) {
    DrawPaneFrame(canvas);
    DrawPaneCaption(canvas, Caption());
}

void TWsCustomStatusPane::DescribeAccessible(TAccDescription& d) const {
    TGraphicControl::DescribeAccessible(d);
    d.Role = arLabel;
    d.Value = Caption();
    d.Shortcut.clear();
    d.States |= asReadOnly;
}
