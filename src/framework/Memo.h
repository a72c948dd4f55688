#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/ScrollBar.h"

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text box that shows text without letting it be edited: the text can be
// selected with the mouse and with Shift and the movement keys, copied with Ctrl+C and
// selected whole with Ctrl+A; the wheel and the scroll bars move it.
class TMemo : public TCustomControl {
  public:
    // A place in the text: a line and a byte offset into it, on a character boundary.
    struct TTextPos {
        int Line = 0;
        int Col = 0;
        friend bool operator==(const TTextPos&, const TTextPos&) = default;
        friend auto operator<=>(const TTextPos&, const TTextPos&) = default;
    };

    explicit TMemo(TComponent* owner = nullptr);

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(const std::vector<std::string>& lines);
    // The lines joined by line breaks.
    std::string Text() const;
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);

    TTextPos SelStart() const { return std::min(anchor_, caret_); }
    TTextPos SelEnd() const { return std::max(anchor_, caret_); }
    // The selected text, lines joined by line breaks.
    std::string SelText() const;
    void SelectAll();
    void Select(TTextPos anchor, TTextPos caret);
    // Puts the selection on the clipboard; nothing when the selection is empty.
    void CopyToClipboard();

    // The first line shown and the horizontal scroll in pixels.
    int TopLine() const { return topLine_; }
    void SetTopLine(int line);
    int ScrollX() const { return scrollX_; }
    void SetScrollX(int x);
    // The text area inside the border and scroll bars, and the height of a line.
    TRect TextArea() const;
    int LineHeight() const;
    // The text position nearest a client point.
    TTextPos PosAt(TPoint p) const;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void FontChanged() override;

  private:
    // Makes or removes one bar; a bar's moves reach the text through `scroll`.
    void ShowScrollBar(TScrollBar*& bar, TScrollBarKind kind, bool want,
                       void (TMemo::*scroll)(int));
    void UpdateScrollBars();
    void MoveCaret(TTextPos to, bool extend);
    void ScrollToCaret();
    int VisibleLines() const;
    int WidestLine() const;
    int TextX(int line, int col) const;
    TTextPos Clamp(TTextPos p) const;

    std::vector<std::string> lines_{""};
    TScrollStyle scrollBars_ = ssNone;
    TScrollBar* vertical_ = nullptr;
    TScrollBar* horizontal_ = nullptr;
    TTextPos anchor_;
    TTextPos caret_;
    int topLine_ = 0;
    int scrollX_ = 0;
    bool selecting_ = false;
};
