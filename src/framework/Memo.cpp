#include "framework/Memo.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "framework/Application.h"
#include "framework/ScrollBar.h"
#include "graphics/Bitmap.h"
#include "graphics/Frame3D.h"

namespace {

constexpr int kBorder = 2;   // the sunken edge
constexpr int kPadding = 1;  // between the edge and the text
constexpr int kWheelLines = 3;

int NextCol(const std::string& s, int col) {
    auto i = static_cast<std::size_t>(col);
    if (i >= s.size()) return static_cast<int>(s.size());
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return static_cast<int>(i);
}

int PrevCol(const std::string& s, int col) {
    if (col <= 0) return 0;
    auto i = static_cast<std::size_t>(col) - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return static_cast<int>(i);
}

int Measure(const TFont& font, std::string_view text) {
    static TBitmap scratch(1, 1);
    scratch.Canvas().Font() = font;
    return scratch.Canvas().TextWidth(text);
}

}  // namespace

TMemo::TMemo(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    SetTabStop(true);
    SetCursor(crIBeam);
    SetControlStyle((ControlStyle() | csOpaque) & ~csClickEvents);
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
    lines_ = lines.empty() ? std::vector<std::string>{""} : lines;
    anchor_ = caret_ = {};
    topLine_ = scrollX_ = 0;
    UpdateScrollBars();
    Invalidate();
}

std::string TMemo::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += "\r\n";
        text += lines_[i];
    }
    return text;
}

void TMemo::SetScrollBars(TScrollStyle style) {
    if (!StoreChanged(scrollBars_, style)) return;
    ShowScrollBar(vertical_, sbVertical, style == ssVertical || style == ssBoth,
                  &TMemo::SetTopLine);
    ShowScrollBar(horizontal_, sbHorizontal, style == ssHorizontal || style == ssBoth,
                  &TMemo::SetScrollX);
    UpdateScrollBars();
    Invalidate();
}

void TMemo::ShowScrollBar(TScrollBar*& bar, TScrollBarKind kind, bool want,
                          void (TMemo::*scroll)(int)) {
    if (want && !bar) {
        bar = InsertControl(std::make_unique<TScrollBar>(Owner()));
        bar->SetKind(kind);
        bar->OnChange = [this, &bar, scroll](TObject*) { (this->*scroll)(bar->Position()); };
    } else if (!want && bar) {
        RemoveControl(bar);
        bar = nullptr;
    }
}

TRect TMemo::TextArea() const {
    TRect r = ClientRect().Inflate(-kBorder, -kBorder);
    if (vertical_) r.Right -= TScrollBar::DefaultThickness;
    if (horizontal_) r.Bottom -= TScrollBar::DefaultThickness;
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

int TMemo::LineHeight() const {
    static TBitmap scratch(1, 1);
    scratch.Canvas().Font() = Font();
    return std::max(1, scratch.Canvas().TextHeight("W"));
}

int TMemo::VisibleLines() const {
    return std::max(1, TextArea().Height() / LineHeight());
}

int TMemo::WidestLine() const {
    int widest = 0;
    for (const auto& line : lines_) widest = std::max(widest, Measure(Font(), line));
    return widest + 2 * kPadding;
}

void TMemo::UpdateScrollBars() {
    const TRect area = TextArea();
    const int lineCount = static_cast<int>(lines_.size());
    if (vertical_) {
        vertical_->SetBounds(Width() - kBorder - TScrollBar::DefaultThickness, kBorder,
                             TScrollBar::DefaultThickness, area.Height());
        vertical_->SetParams(topLine_, 0, lineCount - 1, VisibleLines());
    }
    if (horizontal_) {
        horizontal_->SetBounds(kBorder, Height() - kBorder - TScrollBar::DefaultThickness,
                               area.Width(), TScrollBar::DefaultThickness);
        horizontal_->SetParams(scrollX_, 0, std::max(0, WidestLine() - 1), area.Width());
        horizontal_->SetSmallChange(std::max(1, LineHeight()));
    }
}

void TMemo::SetTopLine(int line) {
    const int lineCount = static_cast<int>(lines_.size());
    line = std::clamp(line, 0, std::max(0, lineCount - VisibleLines()));
    if (!StoreChanged(topLine_, line)) return;
    if (vertical_) vertical_->SetPosition(line);
    Invalidate();
}

void TMemo::SetScrollX(int x) {
    x = std::clamp(x, 0, std::max(0, WidestLine() - TextArea().Width()));
    if (!StoreChanged(scrollX_, x)) return;
    if (horizontal_) horizontal_->SetPosition(x);
    Invalidate();
}

void TMemo::Resize() {
    TCustomControl::Resize();
    UpdateScrollBars();
    SetTopLine(topLine_);
    SetScrollX(scrollX_);
}

void TMemo::FontChanged() {
    TCustomControl::FontChanged();
    UpdateScrollBars();
}

TMemo::TTextPos TMemo::Clamp(TTextPos p) const {
    p.Line = std::clamp(p.Line, 0, static_cast<int>(lines_.size()) - 1);
    p.Col = std::clamp(p.Col, 0, static_cast<int>(lines_[p.Line].size()));
    return p;
}

int TMemo::TextX(int line, int col) const {
    return TextArea().Left + kPadding - scrollX_ +
           Measure(Font(), std::string_view(lines_[line]).substr(0, col));
}

TMemo::TTextPos TMemo::PosAt(TPoint p) const {
    const TRect area = TextArea();
    int line = topLine_ + (p.Y - area.Top) / LineHeight();
    if (p.Y < area.Top) line = topLine_ - 1;
    TTextPos pos = Clamp({line, 0});
    const std::string& s = lines_[pos.Line];
    // The boundary nearest the point: past a character's middle belongs to the next one.
    int col = 0;
    while (col < static_cast<int>(s.size())) {
        int next = NextCol(s, col);
        int mid = (TextX(pos.Line, col) + TextX(pos.Line, next)) / 2;
        if (p.X < mid) break;
        col = next;
    }
    pos.Col = col;
    return pos;
}

std::string TMemo::SelText() const {
    TTextPos a = SelStart(), b = SelEnd();
    if (a == b) return {};
    if (a.Line == b.Line) return lines_[a.Line].substr(a.Col, b.Col - a.Col);
    std::string text = lines_[a.Line].substr(a.Col);
    for (int l = a.Line + 1; l < b.Line; ++l) text += "\r\n" + lines_[l];
    text += "\r\n" + lines_[b.Line].substr(0, b.Col);
    return text;
}

void TMemo::Select(TTextPos anchor, TTextPos caret) {
    anchor = Clamp(anchor);
    caret = Clamp(caret);
    if (anchor == anchor_ && caret == caret_) return;
    anchor_ = anchor;
    caret_ = caret;
    Invalidate();
}

void TMemo::SelectAll() {
    const int last = static_cast<int>(lines_.size()) - 1;
    Select({0, 0}, {last, static_cast<int>(lines_[last].size())});
}

void TMemo::CopyToClipboard() {
    std::string text = SelText();
    if (TApplication* app = Application(); app && !text.empty()) app->SetClipboardText(text);
}

void TMemo::MoveCaret(TTextPos to, bool extend) {
    to = Clamp(to);
    Select(extend ? anchor_ : to, to);
    ScrollToCaret();
}

void TMemo::ScrollToCaret() {
    if (caret_.Line < topLine_) SetTopLine(caret_.Line);
    if (caret_.Line >= topLine_ + VisibleLines()) SetTopLine(caret_.Line - VisibleLines() + 1);
    const TRect area = TextArea();
    const int x = TextX(caret_.Line, caret_.Col);
    if (x < area.Left) SetScrollX(scrollX_ - (area.Left - x));
    if (x >= area.Right) SetScrollX(scrollX_ + (x - area.Right) + 1);
}

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    SetFocus();
    MoveCaret(PosAt({x, y}), shift & ssShift);
    selecting_ = true;
}

void TMemo::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (selecting_) MoveCaret(PosAt({x, y}), true);
}

void TMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) selecting_ = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TMemo::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    if (TCustomControl::MouseWheel(shift, delta, pos)) return true;
    SetTopLine(topLine_ - delta * kWheelLines / WheelDelta);
    return true;
}

void TMemo::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool extend = shift & ssShift;
    const bool ctrl = shift & ssCtrl;
    const std::string& line = lines_[caret_.Line];
    const int lastLine = static_cast<int>(lines_.size()) - 1;
    TTextPos to = caret_;
    switch (key) {
        case 'A':
            if (!ctrl) return;
            SelectAll();
            key = 0;
            return;
        case 'C':
        case vkInsert:
            if (!ctrl) return;
            CopyToClipboard();
            key = 0;
            return;
        case vkLeft:
            if (caret_.Col > 0)
                to.Col = PrevCol(line, caret_.Col);
            else if (caret_.Line > 0)
                to = {caret_.Line - 1, static_cast<int>(lines_[caret_.Line - 1].size())};
            break;
        case vkRight:
            if (caret_.Col < static_cast<int>(line.size()))
                to.Col = NextCol(line, caret_.Col);
            else if (caret_.Line < lastLine)
                to = {caret_.Line + 1, 0};
            break;
        case vkUp:
            to = PosAt({TextX(caret_.Line, caret_.Col),
                        TextArea().Top + (caret_.Line - 1 - topLine_) * LineHeight()});
            if (caret_.Line == 0) to = caret_;
            break;
        case vkDown:
            to = PosAt({TextX(caret_.Line, caret_.Col),
                        TextArea().Top + (caret_.Line + 1 - topLine_) * LineHeight()});
            if (caret_.Line == lastLine) to = caret_;
            break;
        case vkHome:
            to = ctrl ? TTextPos{0, 0} : TTextPos{caret_.Line, 0};
            break;
        case vkEnd:
            to = ctrl ? TTextPos{lastLine, static_cast<int>(lines_[lastLine].size())}
                      : TTextPos{caret_.Line, static_cast<int>(line.size())};
            break;
        case vkPrior:
            to = {caret_.Line - VisibleLines(), caret_.Col};
            break;
        case vkNext:
            to = {caret_.Line + VisibleLines(), caret_.Col};
            break;
        default:
            return;
    }
    key = 0;
    MoveCaret(to, extend);
}

void TMemo::DoEnter() {
    TCustomControl::DoEnter();
    Invalidate();
}

void TMemo::DoExit() {
    TCustomControl::DoExit();
    Invalidate();
}

void TMemo::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Brush() = TBrush{Color(), bsSolid};
    canvas.FillRect(r);
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
    if (vertical_ && horizontal_) {
        // The square where the two bars meet.
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(Rect(vertical_->Left(), horizontal_->Top(),
                             vertical_->Left() + vertical_->Width(),
                             horizontal_->Top() + horizontal_->Height()));
    }
    const TRect area = TextArea();
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(area);
    canvas.Font() = Font();
    canvas.SetTextAlign(taLeft | taTop);
    const int h = LineHeight();
    const TTextPos a = SelStart(), b = SelEnd();
    const int last = std::min(static_cast<int>(lines_.size()), topLine_ + VisibleLines() + 1);
    for (int l = topLine_; l < last; ++l) {
        const int y = area.Top + (l - topLine_) * h;
        const std::string& s = lines_[l];
        canvas.Brush().Style = bsClear;
        canvas.Font().SetColor(Font().Color());
        canvas.TextOut(TextX(l, 0), y, s);
        if (a == b || l < a.Line || l > b.Line) continue;
        // The selected part again, in the highlight colours; a selected line break shows as
        // a little highlight past the end of the line.
        int from = l == a.Line ? a.Col : 0;
        int to = l == b.Line ? b.Col : static_cast<int>(s.size());
        int x0 = TextX(l, from), x1 = TextX(l, to);
        if (l != b.Line) x1 += Measure(Font(), " ");
        canvas.Brush() = TBrush{clHighlight, bsSolid};
        canvas.FillRect(Rect(x0, y, x1, y + h));
        canvas.Brush().Style = bsClear;
        canvas.Font().SetColor(clHighlightText);
        canvas.TextOut(x0, y, std::string_view(s).substr(from, to - from));
    }
    if (Focused() && a == b && caret_.Line >= topLine_ && caret_.Line < last) {
        const int x = TextX(caret_.Line, caret_.Col);
        const int y = area.Top + (caret_.Line - topLine_) * h;
        canvas.Brush() = TBrush{clWindowText, bsSolid};
        canvas.FillRect(Rect(x, y, x + 1, y + h));
    }
}
