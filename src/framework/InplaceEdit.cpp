#include "framework/InplaceEdit.h"

#include <algorithm>

namespace {

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x110000) {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomControl(owner) {
    SetColor(clWindow);
    SetControlStyle(csCaptureMouse | csOpaque);
    SetCursor(crIBeam);
    SetTabStop(true);
}

void TInplaceEdit::SetText(const std::string& text) {
    text_ = text;
    anchor_ = 0;
    caret_ = static_cast<int>(text_.size());
    Invalidate();
}

int TInplaceEdit::PrevChar(int pos) const {
    if (pos <= 0) return 0;
    --pos;
    while (pos > 0 && IsContinuation(text_[pos])) --pos;
    return pos;
}

int TInplaceEdit::NextChar(int pos) const {
    int n = static_cast<int>(text_.size());
    if (pos >= n) return n;
    ++pos;
    while (pos < n && IsContinuation(text_[pos])) ++pos;
    return pos;
}

void TInplaceEdit::DeleteSelection() {
    int a = std::min(anchor_, caret_), b = std::max(anchor_, caret_);
    text_.erase(a, b - a);
    anchor_ = caret_ = a;
}

void TInplaceEdit::Finish(bool commit) {
    if (finished_) return;
    finished_ = true;
    if (OnFinish) OnFinish(commit, text_);
}

bool TInplaceEdit::WantsKey(TKey key, TShiftState) const {
    return key == vkTab;
}

void TInplaceEdit::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    bool extend = shift & ssShift;
    auto moveTo = [&](int pos) {
        if (!extend && anchor_ != caret_) {
            // Without Shift an arrow first collapses the selection to its side.
            pos = key == vkLeft    ? std::min(anchor_, caret_)
                  : key == vkRight ? std::max(anchor_, caret_)
                                   : pos;
        }
        caret_ = pos;
        if (!extend) anchor_ = pos;
        Invalidate();
        key = 0;
    };
    switch (key) {
        case vkReturn:
            key = 0;
            Finish(true);
            return;
        case vkEscape:
            key = 0;
            Finish(false);
            return;
        case vkLeft:
            moveTo(PrevChar(caret_));
            return;
        case vkRight:
            moveTo(NextChar(caret_));
            return;
        case vkHome:
            moveTo(0);
            return;
        case vkEnd:
            moveTo(static_cast<int>(text_.size()));
            return;
        case vkDelete:
            if (anchor_ == caret_) anchor_ = NextChar(caret_);
            DeleteSelection();
            Invalidate();
            key = 0;
            return;
        case vkBack:
            if (anchor_ == caret_) anchor_ = PrevChar(caret_);
            DeleteSelection();
            Invalidate();
            key = 0;
            return;
        default:
            return;
    }
}

void TInplaceEdit::KeyPress(char32_t& ch) {
    TCustomControl::KeyPress(ch);
    // Control characters (Enter, Escape, Backspace, Tab) are keys, not text.
    if (ch < 0x20 || ch == 0x7F || (ch >= 0xD800 && ch < 0xE000)) return;
    DeleteSelection();
    std::string piece;
    AppendUtf8(piece, ch);
    text_.insert(static_cast<std::size_t>(caret_), piece);
    caret_ += static_cast<int>(piece.size());
    anchor_ = caret_;
    ch = 0;
    Invalidate();
}

void TInplaceEdit::DoExit() {
    TCustomControl::DoExit();
    Finish(true);
}

void TInplaceEdit::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Pen().Color = clWindowFrame;
    canvas.Brush().Color = Color();
    canvas.Rectangle(r);
    TRect inner = r.Inflate(-2, -1);
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(inner);
    int textTop = inner.Top + (inner.Height() - canvas.TextHeight("W")) / 2;
    int a = std::min(anchor_, caret_), b = std::max(anchor_, caret_);
    std::string_view all(text_);
    int xa = inner.Left + canvas.TextWidth(all.substr(0, a));
    int xb = xa + canvas.TextWidth(all.substr(a, b - a));
    canvas.Brush().Style = bsClear;
    canvas.TextOut(inner.Left, textTop, all.substr(0, a));
    canvas.TextOut(xb, textTop, all.substr(b));
    if (b > a) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = clHighlight;
        canvas.FillRect({xa, inner.Top, xb, inner.Bottom});
        canvas.Font().SetColor(clHighlightText);
        canvas.Brush().Style = bsClear;
        canvas.TextOut(xa, textTop, all.substr(a, b - a));
    } else if (Focused()) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = clWindowText;
        canvas.FillRect({xa, inner.Top, xa + 1, inner.Bottom});
    }
}
