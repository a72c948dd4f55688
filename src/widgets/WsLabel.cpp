#include "widgets/WsLabel.h"

#include "base/StoreChanged.h"
#include "widgets/WsPanelBorders.h"

TWsLabel::TWsLabel(TComponent* owner) : TLabel(owner) {
    textColor_ = Font().Color();
    blinkTimer_.OnTimer = [this](TObject*) { BlinkTick(); };
}

TWsLabel::~TWsLabel() = default;

void TWsLabel::SetBorderOuter(TFrameStyle style) {
    if (!StoreChanged(borderOuter_, style)) return;
    AdjustBounds();
    Invalidate();
}

void TWsLabel::SetBorderInner(TFrameStyle style) {
    if (!StoreChanged(borderInner_, style)) return;
    AdjustBounds();
    Invalidate();
}

void TWsLabel::SetBorderWidth(int width) {
    width = std::max(0, width);
    if (!StoreChanged(borderWidth_, width)) return;
    AdjustBounds();
    Invalidate();
}

void TWsLabel::SetBevelWidth(int width) {
    width = std::max(0, width);
    if (!StoreChanged(bevelWidth_, width)) return;
    AdjustBounds();
    Invalidate();
}

void TWsLabel::SetTextMargin(int margin) {
    margin = std::max(0, margin);
    if (!StoreChanged(textMargin_, margin)) return;
    AdjustBounds();
    Invalidate();
}

void TWsLabel::SetTextStyle(TWsTextStyle style) {
    if (StoreChanged(textStyle_, style)) Invalidate();
}

void TWsLabel::SetCondenseCaption(TWsCondenseCaption c) {
    if (StoreChanged(condenseCaption_, c)) Invalidate();
}

void TWsLabel::SetBlinkColor(TColor c) {
    if (!StoreChanged(blinkColor_, c)) return;
    if (blinking_ && blinkOn_) {
        textColor_ = c;
        Invalidate();
    }
}

void TWsLabel::SetBlinking(bool value) {
    if (!StoreChanged(blinking_, value)) return;
    if (!value) {
        StopBlinking();
        textColor_ = Font().Color();
        Invalidate();
        return;
    }
    blinkTimer_.Start(BlinkIntervalMs);
}

void TWsLabel::BlinkTick() {
    blinkOn_ = !blinkOn_;
    textColor_ = blinkOn_ ? blinkColor_ : Font().Color();
    Invalidate();
}

void TWsLabel::StopBlinking() {
    blinkTimer_.SetEnabled(false);
    blinkOn_ = false;
}

void TWsLabel::Loaded() {
    TLabel::Loaded();
    if (!blinking_) textColor_ = Font().Color();
}

void TWsLabel::FontChanged() {
    if (!blinking_) textColor_ = Font().Color();
    TLabel::FontChanged();
}

namespace {

TPanelBorderStyle LabelBorders(TFrameStyle outer, TFrameStyle inner, int width, int bevel) {
    TPanelBorderStyle style;
    style.Outer = outer;
    style.Inner = inner;
    style.BorderWidth = width;
    style.BevelWidth = bevel;
    return style;
}

}  // namespace

TRect TWsLabel::TextInsets() const {
    // Measured on a rectangle large enough that no border is cut short.
    const TRect outer{0, 0, 10000, 10000};
    TRect r = PanelBordersInside(
        outer, LabelBorders(borderOuter_, borderInner_, borderWidth_, bevelWidth_));
    r = r.Inflate(-textMargin_, -textMargin_);
    return {r.Left - outer.Left, r.Top - outer.Top, outer.Right - r.Right, outer.Bottom - r.Bottom};
}

void TWsLabel::Paint(TCanvas& canvas) {
    TRect r = DrawPanelBorders(canvas, ClientRect(),
                               LabelBorders(borderOuter_, borderInner_, borderWidth_, bevelWidth_));
    if (!Transparent()) {
        canvas.Brush() = TBrush{Color(), bsSolid};
        canvas.FillRect(r);
    }
    r = r.Inflate(-textMargin_, -textMargin_);
    canvas.Brush().Style = bsClear;
    unsigned format = TextFormat();
    if (condenseCaption_ != ccNone) format |= dtEndEllipsis;
    const std::string text = Caption();
    if (Layout() != tlTop) {
        TRect calc = r;
        canvas.DrawText(text.empty() ? " " : text, calc, format | dtCalcRect);
        const int free = r.Height() - calc.Height();
        r.Top += Layout() == tlCenter ? free / 2 : free;
    }
    auto draw = [&](const TRect& at, TColor color) {
        TRect box = at;
        canvas.Font().SetColor(color);
        canvas.DrawText(text, box, format);
    };
    if (!Enabled()) {
        DrawDisabledText(canvas, text, r, format);
        return;
    }
    switch (textStyle_) {
        case tsRaised:
            draw(r.Offset(-1, -1), clBtnHighlight);
            draw(r.Offset(1, 1), clBtnShadow);
            break;
        case tsRecessed:
            draw(r.Offset(1, 1), clBtnHighlight);
            draw(r.Offset(-1, -1), clBtnShadow);
            break;
        case tsShadow:
            draw(r.Offset(2, 2), clBtnShadow);
            break;
        default:
            break;
    }
    draw(r, textColor_);
}
