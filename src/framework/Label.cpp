#include "framework/Label.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "graphics/Bitmap.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetControlStyle(ControlStyle() & ~csCaptureMouse);
}

void TLabel::SetAutoSize(bool autoSize) {
    if (StoreChanged(autoSize_, autoSize)) AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (StoreChanged(alignment_, alignment)) Invalidate();
}

void TLabel::SetLayout(TVerticalLayout layout) {
    if (StoreChanged(layout_, layout)) Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    if (StoreChanged(transparent_, transparent)) Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (!StoreChanged(wordWrap_, wordWrap)) return;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
    if (!StoreChanged(showAccelChar_, show)) return;
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustBounds();
    Invalidate();
}

unsigned TLabel::TextFormat() const {
    unsigned format = dtExpandTabs;
    format |= alignment_ == taRightJustify ? dtRight : alignment_ == taCenter ? dtCenter : dtLeft;
    if (wordWrap_) format |= dtWordBreak;
    if (!showAccelChar_) format |= dtNoPrefix;
    return format;
}

namespace {

// An empty caption still measures as one line, so an auto-sized label keeps its height.
std::string MeasuredText(const std::string& caption) {
    return caption.empty() ? " " : caption;
}

}  // namespace

void TLabel::AdjustBounds() {
    if (!autoSize_ || Loading()) return;
    const TRect in = TextInsets();
    const int across = in.Left + in.Right;
    TBitmap measure(1, 1);
    measure.Canvas().Font() = Font();
    TRect r{0, 0, wordWrap_ ? std::max(Width() - across, 0) : 0, 0};
    measure.Canvas().DrawText(MeasuredText(Caption()), r, TextFormat() | dtCalcRect);
    const int width = r.Width() + across;
    int left = Left();
    if (alignment_ == taRightJustify && !wordWrap_) left += Width() - width;
    SetBounds(left, Top(), width, r.Height() + in.Top + in.Bottom);
}

void TLabel::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    if (!transparent_) {
        canvas.Brush().Color = Color();
        canvas.FillRect(r);
    }
    canvas.Brush().Style = bsClear;
    unsigned format = TextFormat();
    if (layout_ != tlTop) {
        TRect calc = r;
        canvas.DrawText(MeasuredText(Caption()), calc, format | dtCalcRect);
        int free = r.Height() - calc.Height();
        r.Top += layout_ == tlCenter ? free / 2 : free;
    }
    if (Enabled()) {
        canvas.DrawText(Caption(), r, format);
        return;
    }
    DrawDisabledText(canvas, Caption(), r, format);
}

void DrawDisabledText(TCanvas& canvas, const std::string& text, const TRect& r, unsigned format) {
    TRect shifted = r.Offset(1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, format);
    TRect at = r;
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, at, format);
}

void TLabel::DescribeAccessible(TAccDescription& d) const {
    TControl::DescribeAccessible(d);
    d.Role = arLabel;
    d.States |= asReadOnly;
}
