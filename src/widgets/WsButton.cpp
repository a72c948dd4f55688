#include "widgets/WsButton.h"

#include "base/StoreChanged.h"
#include "framework/Label.h"
#include "framework/WinControl.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"
#include "widgets/WsShading.h"

namespace {

void FillPixelsIn(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush() = TBrush{color, bsSolid};
    canvas.FillRect(r);
}

void HLine(TCanvas& canvas, int x0, int x1, int y, TColor color) {
    if (x1 >= x0) FillPixelsIn(canvas, Rect(x0, y, x1 + 1, y + 1), color);
}

void VLine(TCanvas& canvas, int x, int y0, int y1, TColor color) {
    if (y1 >= y0) FillPixelsIn(canvas, Rect(x, y0, x + 1, y1 + 1), color);
}

// A one-pixel ring on r with its four corner pixels left out.
void CornerlessRing(TCanvas& canvas, const TRect& r, TColor color) {
    VLine(canvas, r.Left, r.Top + 1, r.Bottom - 2, color);
    HLine(canvas, r.Left + 1, r.Right - 2, r.Top, color);
    VLine(canvas, r.Right - 1, r.Top + 1, r.Bottom - 2, color);
    HLine(canvas, r.Left + 1, r.Right - 2, r.Bottom - 1, color);
}

}  // namespace

TWsButton::TWsButton(TComponent* owner) : TWsCustomButton(owner) {}

void TWsButton::SetAlignment(TAlignment a) {
    if (StoreChanged(alignment_, a)) Invalidate();
}

void TWsButton::SetFrameColor(TColor c) {
    if (StoreChanged(frameColor_, c)) Invalidate();
}

void TWsButton::SetShowFocusRect(bool value) {
    if (StoreChanged(showFocusRect_, value)) Invalidate();
}

void TWsButton::SetGroupIndex(int index) {
    if (StoreChanged(groupIndex_, index)) Invalidate();
}

void TWsButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    TWinControl* parent = Parent();
    if (groupIndex_ == 0 || !parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TWsButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_) other->allowAllUp_ = value;
    }
}

void TWsButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    // A latched button comes up only when the group allows all up.
    if (!value && !allowAllUp_) return;
    down_ = value;
    Invalidate();
    if (!value || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TWsButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
    }
}

void TWsButton::SetShowDownPattern(bool value) {
    if (StoreChanged(showDownPattern_, value)) Invalidate();
}

void TWsButton::DoButtonClick() {
    if (groupIndex_ != 0) SetDown(!down_);
    TWsCustomButton::DoButtonClick();
}

TRect TWsButton::FocusRect() const {
    const int inset = HotTrack() ? 3 : 4;
    TRect f = ClientRect().Inflate(-inset, -inset);
    if (ShownDown()) f = f.Offset(1, 1);
    return f;
}

TRect TWsButton::GetCaptionRect() const {
    TRect r = ClientRect().Inflate(-5, -5);
    if (!HotTrack() && ShownDown()) r = r.Offset(1, 1);
    return r;
}

void TWsButton::Paint(TCanvas& canvas) {
    PaintTransparentCorners(canvas);
    if (HotTrack() && Enabled())
        PaintHotTrack(canvas);
    else if (HotTrack())
        PaintHotTrackDisabled(canvas);
    else
        PaintClassic(canvas);
    if (groupIndex_ != 0 && down_ && showDownPattern_) {
        // The latched face: every pixel whose row and column share parity turns silver.
        const TColor base = ColorToRGB(Color());
        const TColor dot = base == clSilver ? RGB(128, 128, 128) : clSilver;
        const TRect face = HotTrack() ? ClientRect().Inflate(-2, -2) : ClientRect().Inflate(-2, -2);
        const TRect clip = canvas.ClipBounds().Intersect(face);
        for (int y = clip.Top; y < clip.Bottom; ++y)
            for (int x = clip.Left + ((clip.Left ^ y) & 1); x < clip.Right; x += 2)
                canvas.SetPixels(x, y, dot);
    }
    DrawCaption(canvas);
    if (Focused() && showFocusRect_) DrawDottedOutline(canvas, FocusRect());
}

void TWsButton::PaintFace(TCanvas& canvas, const TRect& face) {
    if (face.IsEmpty()) return;
    HLine(canvas, face.Left, face.Right - 1, face.Bottom - 2, Darken(Color(), 20));
    HLine(canvas, face.Left, face.Right - 1, face.Bottom - 1, Darken(Color(), 30));
    const TRect upper = Rect(face.Left, face.Top, face.Right, face.Bottom - 2);
    if (Display().FullColor)
        ShadeRect(canvas, upper, gdHorizontalEnd, Lighten(Color(), 30), Darken(Color(), 10));
    else
        FillPixelsIn(canvas, upper, Color());
}

void TWsButton::PaintHotTrack(TCanvas& canvas) {
    TRect r = ClientRect();
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const TColor d20 = Darken(clBtnFace, 20), l20 = Lighten(clBtnFace, 20);
    VLine(canvas, L, T + 2, B - 3, d20);
    HLine(canvas, L + 2, R - 3, T, d20);
    VLine(canvas, R - 1, T + 2, B - 3, l20);
    HLine(canvas, L + 2, R - 3, B - 1, l20);
    canvas.SetPixels(L + 1, T + 1, d20);
    canvas.SetPixels(R - 2, T + 1, d20);
    canvas.SetPixels(L + 1, B - 2, d20);
    canvas.SetPixels(R - 2, B - 2, l20);

    r = r.Inflate(-1, -1);
    CornerlessRing(canvas, r, frameColor_);
    const TRect face = r.Inflate(-1, -1);
    if (ShownDown()) {
        FillPixelsIn(canvas, face, Darken(Color(), 10));
    } else if (PointerOverButton()) {
        PaintFace(canvas, face);
        TColor top = MixColors(clWhite, HotTrackColor(), 190), bottom = HotTrackColor();
        if (HotTrackColorType() == htctComplement) {
            top = OppositeHue(HotTrackColor(), 180);
            bottom = Darken(top, 30);
        }
        ShadeFrameRing(Display(), canvas, face, gdHorizontalEnd, top, bottom);
    } else if (groupIndex_ != 0 || (!Active() && !Focused())) {
        PaintFace(canvas, face);
    } else {
        PaintFace(canvas, face);
        TColor h = HighlightColor();
        if (TooSimilar(h, clBtnFace)) h = Darken(h, 30);
        const TColor l30 = Lighten(Color(), 30);
        ShadeFrameRing(Display(), canvas, face, gdHorizontalEnd, MixColors(h, l30, 60),
                       MixColors(h, l30, 160));
    }
}

void TWsButton::PaintHotTrackDisabled(TCanvas& canvas) {
    TRect r = ClientRect().Inflate(-1, -1);
    const TColor frame = Color() == clBtnFace ? Lighten(clBtnShadow, 30) : Darken(Color(), 80);
    CornerlessRing(canvas, r, frame);
    FillPixelsIn(canvas, r.Inflate(-1, -1), Color());
}

void TWsButton::PaintClassic(TCanvas& canvas) {
    TRect r = ClientRect();
    const bool pressed = ShownDown();
    if ((groupIndex_ == 0 && (Active() || Focused()) && !DrawPressed()) || InClick())
        r = DrawEdges(canvas, r, clWindowFrame, AllSides, clWindowFrame);
    TFrameStyle style = pressed ? fsButtonDown : fsButtonUp;
    if (groupIndex_ != 0) style = down_ ? fsLowered : fsButtonUp;
    if (Color() == clBtnFace)
        r = DrawStyledFrame(canvas, r, style);
    else
        r = DrawTintedFrame(canvas, r, Color(), style);
    FillPixelsIn(canvas, r, Color());
}

void TWsButton::DrawCaption(TCanvas& canvas) {
    if (Caption().empty()) return;
    TCanvasStateSaver saver(canvas);
    canvas.Font() = Font();
    canvas.Brush().Style = bsClear;
    unsigned format = dtWordBreak | dtExpandTabs;
    format |= alignment_ == taLeftJustify    ? dtLeft
              : alignment_ == taRightJustify ? dtRight
                                             : dtCenter;
    TRect r = GetCaptionRect();
    TRect calc = r;
    canvas.DrawText(Caption(), calc, dtWordBreak | dtExpandTabs | dtCenter | dtCalcRect);
    const int h = calc.Height();
    if (AlignmentVertical() == avCenter) r.Top = (r.Top + r.Bottom - h) / 2;
    if (AlignmentVertical() == avBottom) r.Top = r.Bottom - 1 - h;
    r.Bottom = r.Top + h;
    if (Enabled()) {
        canvas.DrawText(Caption(), r, format);
        return;
    }
    DrawDisabledText(canvas, Caption(), r, format);
}
