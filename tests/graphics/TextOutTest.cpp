#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/FontMetrics.h"
#include "graphics/TextInk.h"

namespace {

constexpr const char* kFamilies[] = {"Arial",  "Verdana",         "MS Sans Serif",
                                     "Tahoma", "Times New Roman", "Courier New"};

class TextOutTest : public ::testing::Test {
  protected:
    TextOutTest() : bmp_(300, 200) {
        canvas().Font() = MakeFont("Arial", -16);
        canvas().Brush().Style = bsClear;
    }
    TCanvas& canvas() { return bmp_.Canvas(); }
    TRect Ink() const { return InkBounds(bmp_.Buffer()); }
    TFontMetrics Metrics() { return PlatformFontMetrics("Arial", -16); }

    TBitmap bmp_;
};

TEST_F(TextOutTest, HorizontalAlignmentPutsInkAroundThePoint) {
    const int width = canvas().TextWidth("HIH");
    canvas().TextOut(100, 50, "HIH");
    EXPECT_EQ(canvas().PenPos(), (TPoint{100 + width, 50}));
    const TRect left = Ink();
    EXPECT_GE(left.Left, 100);
    EXPECT_LE(left.Left, 103);
    EXPECT_LE(left.Right, 100 + width);
    EXPECT_GE(left.Right, 100 + width - 3);

    bmp_.Buffer().Resize(300, 200);
    canvas().SetTextAlign(taRight);
    canvas().TextOut(100, 50, "HIH");
    const TRect right = Ink();
    EXPECT_EQ(right.Offset(width, 0), left);

    bmp_.Buffer().Resize(300, 200);
    canvas().SetTextAlign(taCenter);
    canvas().TextOut(100, 50, "HIH");
    EXPECT_EQ(Ink().Offset(width / 2, 0), left);
}

TEST_F(TextOutTest, VerticalAlignmentFollowsTheMetrics) {
    const TFontMetrics m = Metrics();
    // "H" stands on the baseline and reaches cap height: its last ink row is just above the
    // baseline.
    canvas().TextOut(20, 50, "H");
    const TRect top = Ink();
    EXPECT_EQ(top.Bottom, 50 + m.Ascent);
    EXPECT_GT(top.Top, 50);

    bmp_.Buffer().Resize(300, 200);
    canvas().SetTextAlign(taBaseline);
    canvas().TextOut(20, 100, "H");
    EXPECT_EQ(Ink(), top.Offset(0, 50 - m.Ascent));

    bmp_.Buffer().Resize(300, 200);
    canvas().SetTextAlign(taBottom | taRight);
    canvas().TextOut(120, 100, "H");
    EXPECT_EQ(Ink(), top.Offset(100 - canvas().TextWidth("H"), 50 - m.Height));
}

TEST_F(TextOutTest, BackgroundBoxHonoursTheBrush) {
    canvas().Brush().Style = bsSolid;
    canvas().Brush().Color = clRed;
    const TSize size = canvas().TextExtent("Box me");
    canvas().TextOut(30, 40, "Box me");
    EXPECT_EQ(InkBounds(bmp_.Buffer()), Bounds(30, 40, size.cx, size.cy));
    EXPECT_EQ(canvas().Pixels(30, 40), clRed);
    EXPECT_EQ(canvas().Pixels(30 + size.cx - 1, 40 + size.cy - 1), clRed);
    EXPECT_EQ(canvas().Pixels(30 + size.cx, 40), clWhite);
    EXPECT_EQ(canvas().Pixels(29, 40), clWhite);

    // A system colour resolves when drawn, for the brush and the text alike.
    bmp_.Buffer().Resize(300, 200);
    canvas().Brush().Color = clHighlight;
    canvas().Font().SetColor(clHighlightText);
    canvas().TextOut(30, 40, "I");
    EXPECT_EQ(canvas().Pixels(30, 40), ColorToRGB(clHighlight));

    bmp_.Buffer().Resize(300, 200);
    canvas().Brush().Style = bsClear;
    canvas().Font().SetColor(clBlack);
    canvas().TextOut(30, 40, "Box me");
    const TRect ink = Ink();
    EXPECT_GT(ink.Top, 40);
    EXPECT_GT(ink.Width(), 0);
    EXPECT_EQ(canvas().Pixels(30, 40), clWhite);
}

TEST_F(TextOutTest, GlyphsTakeTheFontColour) {
    canvas().Font().SetColor(clBlue);
    canvas().Font().SetHeight(-40);
    canvas().TextOut(10, 10, "I");
    // The stem of an I at 40 pixels is fully covered somewhere.
    bool solid = false;
    const TRect ink = Ink();
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) solid |= canvas().Pixels(x, y) == clBlue;
    EXPECT_TRUE(solid);
}

TEST_F(TextOutTest, UnderlineAndStrikeOutSpanTheText) {
    const TFontMetrics m = Metrics();
    canvas().Font().SetStyle(fsUnderline);
    const int width = canvas().TextWidth("a b");
    canvas().TextOut(10, 10, "a b");
    // The bar runs the full advance width, below the baseline and inside the cell.
    const TRect ink = Ink();
    EXPECT_EQ(ink.Left, 10);
    EXPECT_EQ(ink.Right, 10 + width);
    EXPECT_GT(ink.Bottom, 10 + m.Ascent);
    EXPECT_LE(ink.Bottom, 10 + m.Height);
    // The space between the letters carries only the bar.
    const int mid = 10 + canvas().TextWidth("a") + canvas().TextWidth(" ") / 2;
    const TRect bar = InkBoundsIn(bmp_.Buffer(), {mid, 0, mid + 1, 200});
    EXPECT_GE(bar.Top, 10 + m.Ascent);
    EXPECT_EQ(bar.Bottom, ink.Bottom);
    EXPECT_LE(bar.Height(), 2);

    bmp_.Buffer().Resize(300, 200);
    canvas().Font().SetStyle(fsStrikeOut);
    canvas().TextOut(10, 10, "  ");
    const TRect strike = Ink();
    EXPECT_EQ(strike.Width(), canvas().TextWidth("  "));
    EXPECT_LT(strike.Bottom, 10 + m.Ascent);
    EXPECT_GT(strike.Top, 10 + m.InternalLeading);
}

TEST_F(TextOutTest, RotatedTextIsTransposed) {
    canvas().TextOut(20, 20, "Vigil");
    const TRect flat = Ink();
    const TFontMetrics m = Metrics();
    const int width = canvas().TextWidth("Vigil");

    bmp_.Buffer().Resize(300, 200);
    canvas().Font().SetOrientation(900);
    canvas().TextOut(50, 150, "Vigil");
    const TRect up = Ink();
    EXPECT_EQ(up.Width(), flat.Height());
    EXPECT_EQ(up.Height(), flat.Width());
    // The point is the top-left of the unturned text: it reads upwards from (50, 150).
    EXPECT_EQ(up.Left - 50, flat.Top - 20);
    EXPECT_EQ(150 - up.Bottom, flat.Left - 20);
    EXPECT_LE(up.Right, 50 + m.Height);
    EXPECT_GE(up.Top, 150 - width);
    // The text size is reported unturned.
    EXPECT_EQ(canvas().TextWidth("Vigil"), width);

    bmp_.Buffer().Resize(300, 200);
    canvas().Font().SetOrientation(2700);
    canvas().TextOut(250, 20, "Vigil");
    const TRect down = Ink();
    EXPECT_EQ(down.Width(), flat.Height());
    EXPECT_EQ(down.Height(), flat.Width());
    EXPECT_EQ(250 - down.Right, flat.Top - 20);
    EXPECT_EQ(down.Top - 20, flat.Left - 20);
}

TEST_F(TextOutTest, RotatedBackgroundAndAlignment) {
    canvas().Brush().Style = bsSolid;
    canvas().Brush().Color = clLime;
    canvas().Font().SetOrientation(900);
    const TSize size = canvas().TextExtent("up");
    canvas().TextOut(40, 120, "up");
    EXPECT_EQ(InkBounds(bmp_.Buffer()), Rect(40, 120 - size.cx, 40 + size.cy, 120));

    // Right alignment runs against the reading direction: the text now ends at the point.
    bmp_.Buffer().Resize(300, 200);
    canvas().SetTextAlign(taRight | taBottom);
    canvas().TextOut(140, 60, "up");
    EXPECT_EQ(InkBounds(bmp_.Buffer()), Rect(140 - size.cy, 60, 140, 60 + size.cx));
}

TEST_F(TextOutTest, ClippingAndOriginApplyToText) {
    canvas().Font().SetHeight(-30);
    canvas().IntersectClipRect({0, 0, 60, 200});
    canvas().TextOut(20, 20, "WWWWWW");
    const TRect ink = Ink();
    EXPECT_GT(ink.Width(), 0);
    EXPECT_LE(ink.Right, 60);

    bmp_.Buffer().Resize(300, 200);
    canvas().ResetClip();
    canvas().TextOut(20, 20, "W");
    const TRect plain = Ink();
    bmp_.Buffer().Resize(300, 200);
    canvas().SetOrigin({7, 9});
    canvas().TextOut(20, 20, "W");
    EXPECT_EQ(Ink(), plain.Offset(7, 9));
}

TEST_F(TextOutTest, TextRectClipsAndFills) {
    canvas().Font().SetHeight(-30);
    canvas().Brush().Style = bsSolid;
    canvas().Brush().Color = clYellow;
    const TRect r{10, 10, 50, 30};
    canvas().TextRect(r, 15, 5, "Wide text");
    EXPECT_EQ(InkBounds(bmp_.Buffer()), r);
    EXPECT_EQ(canvas().Pixels(10, 10), clYellow);
    // Ink inside the box: not just the yellow fill.
    bool glyph = false;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) glyph |= canvas().Pixels(x, y) != clYellow;
    EXPECT_TRUE(glyph);
    // The canvas keeps its own clipping afterwards.
    EXPECT_FALSE(canvas().IsClipped());
}

TEST_F(TextOutTest, ChineseMeasuresAndDrawsInEveryFont) {
    for (const char* family : kFamilies) {
        for (const char* text : {"开机/关机日志", "正常关机"}) {
            SCOPED_TRACE(std::string(family) + " " + text);
            bmp_.Buffer().Resize(300, 200);
            canvas().Font() = MakeFont(family, -12);
            const int width = canvas().TextWidth(text);
            EXPECT_GT(width, 12 * 3);
            canvas().TextOut(10, 10, text);
            const TRect ink = Ink();
            EXPECT_GT(ink.Width(), width / 2);
            // Faces differ a little in height, but the ink stays on the text line.
            EXPECT_GE(ink.Top, 10 - 2);
            EXPECT_LE(ink.Bottom, 10 + canvas().TextHeight(text) + 2);
        }
    }
}

TEST_F(TextOutTest, ChineseSharesTheLatinBaseline) {
    canvas().Font().SetHeight(-24);
    const TFontMetrics m = PlatformFontMetrics("Arial", -24);
    canvas().TextOut(10, 10, "H");
    const int latinBottom = Ink().Bottom;
    bmp_.Buffer().Resize(300, 200);
    canvas().TextOut(10, 10, "H王");
    const TRect both = Ink();
    EXPECT_GE(both.Right, 10 + canvas().TextWidth("H") + 12);
    // 王 ends in a bar lying on the baseline.
    EXPECT_NEAR(both.Bottom, latinBottom, 2);
    EXPECT_EQ(latinBottom, 10 + m.Ascent);
}

TEST_F(TextOutTest, OddInputDrawsWithoutHarm) {
    canvas().TextOut(10, 10, "");
    EXPECT_TRUE(Ink().IsEmpty());
    canvas().TextOut(10, 10, "\t\r\n");
    EXPECT_TRUE(Ink().IsEmpty());
    EXPECT_EQ(canvas().TextWidth("\t\r\n"), 0);
    canvas().TextOut(-100000, 1 << 30, "far away");
    canvas().TextOut(10, 10, std::string("\xFF\xFE\x00z", 4));
    EXPECT_FALSE(Ink().IsEmpty());
    TBitmap empty(0, 0);
    empty.Canvas().TextOut(0, 0, "nothing to draw on");
    TRect r{0, 0, 0, 0};
    EXPECT_GT(empty.Canvas().DrawText("x", r, dtWordBreak), 0);
}

}  // namespace
