#pragma once

#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

// A small off-screen surface for painting tests, filled with a colour no drawing here uses,
// so untouched pixels stand out.
inline constexpr TColor kUntouched = RGB(1, 2, 3);

struct TProbeSurface {
    TProbeSurface(int width, int height) : bitmap(width, height, PixelFromRGB(kUntouched)) {}
    TCanvas& Canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return bitmap.Canvas().Pixels(x, y); }
    TBitmap bitmap;
};

// The parts of a canvas's state that a painting operation must leave as it found them.
struct TStateProbe {
    explicit TStateProbe(TCanvas& canvas) : before(canvas.SaveState()) {}

    // Gives the canvas an unusual state first, so a reset to defaults would show.
    static void Dress(TCanvas& canvas, const TRect& clip) {
        canvas.Pen() = TPen{clFuchsia, 3, psDot, pmXor};
        canvas.Brush() = TBrush{clAqua, bsClear};
        canvas.IntersectClipRect(clip);
        canvas.MoveTo(-7, 5);
    }

    void ExpectUnchanged(const TCanvas& canvas) const {
        const TCanvasState after = canvas.SaveState();
        EXPECT_EQ(after.Pen.Color, before.Pen.Color);
        EXPECT_EQ(after.Pen.Width, before.Pen.Width);
        EXPECT_EQ(after.Pen.Style, before.Pen.Style);
        EXPECT_EQ(after.Pen.Mode, before.Pen.Mode);
        EXPECT_EQ(after.Brush.Color, before.Brush.Color);
        EXPECT_EQ(after.Brush.Style, before.Brush.Style);
        EXPECT_EQ(after.Clipped, before.Clipped);
        EXPECT_EQ(after.Clip.Bounds(), before.Clip.Bounds());
        EXPECT_EQ(after.Clip.Rects().size(), before.Clip.Rects().size());
        EXPECT_EQ(after.Origin, before.Origin);
        EXPECT_EQ(after.PenPos, before.PenPos);
    }

    TCanvasState before;
};
