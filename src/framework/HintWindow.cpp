#include "framework/HintWindow.h"

#include "graphics/Bitmap.h"

THintWindow::THintWindow(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetColor(clInfoBk);
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-12);
    font.SetColor(clInfoText);
    SetFont(font);
    SetControlStyle(ControlStyle() | csOpaque);
}

TRect THintWindow::CalcHintRect(const std::string& text) const {
    TBitmap measure(1, 1);
    TCanvas& canvas = measure.Canvas();
    canvas.Font() = Font();
    TRect r{0, 0, 300, 0};
    canvas.DrawText(text, r, dtCalcRect | dtLeft | dtWordBreak | dtNoPrefix);
    // Room for the one-pixel frame and the text's margins.
    return {0, 0, r.Width() + 8, r.Height() + 4};
}

void THintWindow::ActivateHint(const TRect& screenRect, const std::string& text) {
    SetCaption(text);
    SetBoundsRect(screenRect);
    Invalidate();
    Show();
}

void THintWindow::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Pen().Color = clWindowFrame;
    canvas.Brush().Color = clInfoBk;
    canvas.Rectangle(r);
    canvas.Brush().Style = bsClear;
    TRect text{r.Left + 4, r.Top + 2, r.Right - 4, r.Bottom - 2};
    canvas.DrawText(Caption(), text, dtLeft | dtWordBreak | dtNoPrefix);
}
