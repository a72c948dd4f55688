#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/FontMetrics.h"
#include "graphics/TextInk.h"

namespace {

class DrawTextTest : public ::testing::Test {
  protected:
    DrawTextTest() : bmp_(400, 300) {
        canvas().Font() = MakeFont("Arial", -13);
        canvas().Brush().Style = bsClear;
    }
    TCanvas& canvas() { return bmp_.Canvas(); }
    int H() { return canvas().TextHeight("W"); }
    TRect Calc(const std::string& text, TRect r, unsigned format) {
        const int height = canvas().DrawText(text, r, format | dtCalcRect);
        EXPECT_EQ(height, r.Height());
        return r;
    }
    TRect Ink(const TRect& area) const { return InkBoundsIn(bmp_.Buffer(), area); }
    TRect Ink() const { return InkBounds(bmp_.Buffer()); }

    TBitmap bmp_;
};

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    const TRect single = Calc("Refresh now", {10, 20, 11, 21}, dtSingleLine);
    EXPECT_EQ(single, Bounds(10, 20, canvas().TextWidth("Refresh now"), H()));
    const TRect lines = Calc("one\r\ntwo\nthree", {0, 0, 5, 5}, 0);
    EXPECT_EQ(lines.Height(), 3 * H());
    EXPECT_EQ(lines.Width(), canvas().TextWidth("three"));
    // A line break ending the text opens no further line; an empty line in between counts.
    EXPECT_EQ(Calc("one\n", {}, 0).Height(), H());
    EXPECT_EQ(Calc("one\n\ntwo", {}, 0).Height(), 3 * H());
    EXPECT_EQ(Calc("", {3, 4, 50, 60}, 0), Rect(3, 4, 3, 4));
    // In a single line the breaks take no room.
    EXPECT_EQ(Calc("a\r\nb", {}, dtSingleLine).Width(), canvas().TextWidth("ab"));
    EXPECT_TRUE(Ink().IsEmpty());
}

TEST_F(DrawTextTest, WordBreakWrapsBetweenWords) {
    const int width = canvas().TextWidth("aaaa bbbb");
    const TRect r = Calc("aaaa bbbb aaaa bbbb", {0, 0, width, 0}, dtWordBreak);
    EXPECT_EQ(r.Height(), 2 * H());
    EXPECT_EQ(r.Width(), width);
    // One pixel less leaves a word per line.
    EXPECT_EQ(Calc("aaaa bbbb aaaa bbbb", {0, 0, width - 1, 0}, dtWordBreak).Height(), 4 * H());
    const int alpha = canvas().TextWidth("alpha beta");
    // The trailing space of a wrapped line is not part of its width.
    EXPECT_EQ(Calc("alpha     beta", {0, 0, alpha - 1, 0}, dtWordBreak).Width(),
              canvas().TextWidth("alpha"));
    // A word longer than the line stays whole on a line of its own.
    const TRect longWord = Calc("a extraordinarily b", {0, 0, 20, 0}, dtWordBreak);
    EXPECT_EQ(longWord.Width(), canvas().TextWidth("extraordinarily"));
    EXPECT_EQ(longWord.Height(), 3 * H());
    // Single line wins over word break.
    EXPECT_EQ(Calc("alpha beta gamma", {0, 0, 10, 0}, dtWordBreak | dtSingleLine).Height(), H());
}

TEST_F(DrawTextTest, WordBreakDrawsEachLineInItsBand) {
    const int width = canvas().TextWidth("alpha beta");
    TRect r{20, 10, 20 + width, 200};
    const int height = canvas().DrawText("alpha beta gamma", r, dtWordBreak);
    EXPECT_EQ(height, 2 * H());
    const TRect first = Ink({0, 10, 400, 10 + H()});
    const TRect second = Ink({0, 10 + H(), 400, 10 + 2 * H()});
    EXPECT_GT(first.Width(), second.Width());
    EXPECT_GE(second.Left, 20);
    EXPECT_LE(first.Right, 20 + width);
    EXPECT_TRUE(Ink({0, 10 + 2 * H(), 400, 300}).IsEmpty());
}

TEST_F(DrawTextTest, ChineseBreaksBetweenCharacters) {
    const int one = canvas().TextWidth("正");
    const TRect r = Calc("正常关机正常关机", {0, 0, 3 * one, 0}, dtWordBreak);
    EXPECT_EQ(r.Height(), 3 * H());
    EXPECT_LE(r.Width(), 3 * one);
}

TEST_F(DrawTextTest, EndEllipsisFitsTheRectangle) {
    const std::string text = "Thursday 2026-12-08 13:45:10";
    const int full = canvas().TextWidth(text);
    TRect r{10, 10, 10 + full / 2, 10 + H()};
    const TRect calc = Calc(text, r, dtSingleLine | dtEndEllipsis);
    EXPECT_LE(calc.Width(), r.Width());
    EXPECT_GT(calc.Width(), r.Width() - canvas().TextWidth("W") - 1);
    canvas().DrawText(text, r, dtSingleLine | dtEndEllipsis | dtNoClip);
    const TRect ink = Ink();
    EXPECT_LE(ink.Right, r.Right);
    EXPECT_GE(ink.Right, calc.Right - 2);
    // The dots: the last few columns hold ink only near the baseline.
    const int dotsLeft = 10 + calc.Width() - canvas().TextWidth("...") + 1;
    const TRect dots = Ink({dotsLeft, 0, calc.Right, 300});
    const TFontMetrics m = PlatformFontMetrics("Arial", -13);
    EXPECT_GT(dots.Top, 10 + m.Ascent - 4);
    // Text that fits is left alone.
    EXPECT_EQ(Calc("Thu", r, dtSingleLine | dtEndEllipsis).Width(), canvas().TextWidth("Thu"));
}

TEST_F(DrawTextTest, PrefixUnderlinesTheAccelerator) {
    EXPECT_EQ(Calc("&File", {}, dtSingleLine).Width(), canvas().TextWidth("File"));
    EXPECT_EQ(Calc("A && B", {}, dtSingleLine).Width(), canvas().TextWidth("A & B"));
    EXPECT_EQ(Calc("&File", {}, dtSingleLine | dtNoPrefix).Width(), canvas().TextWidth("&File"));
    EXPECT_EQ(Calc("end&", {}, dtSingleLine).Width(), canvas().TextWidth("end"));

    const TFontMetrics m = PlatformFontMetrics("Arial", -13);
    const int underRow = 10 + m.Ascent + 1;
    TRect r{10, 10, 300, 100};
    canvas().DrawText("Save &As", r, dtSingleLine);
    const int rLeft = 10 + canvas().TextWidth("Save ");
    const int rRight = rLeft + canvas().TextWidth("A");
    const TRect bar = Ink({0, underRow, 400, underRow + 1});
    EXPECT_EQ(bar.Left, rLeft);
    EXPECT_EQ(bar.Right, rRight);
    EXPECT_EQ(canvas().Pixels(rLeft, underRow), clBlack);

    bmp_.Buffer().Resize(400, 300);
    canvas().DrawText("Save &As", r, dtSingleLine | dtHidePrefix);
    EXPECT_TRUE(Ink({rLeft, underRow, rRight, underRow + 1}).IsEmpty());
    EXPECT_FALSE(Ink().IsEmpty());

    bmp_.Buffer().Resize(400, 300);
    canvas().DrawText("Save &As", r, dtSingleLine | dtPrefixOnly);
    EXPECT_EQ(Ink(), Rect(rLeft, underRow, rRight, underRow + 1));
}

TEST_F(DrawTextTest, TabsExpandToEightAverageCharacters) {
    const TFontMetrics m = PlatformFontMetrics("Arial", -13);
    const int stop = 8 * m.AveCharWidth;
    EXPECT_EQ(Calc("ab\tc", {}, dtSingleLine | dtExpandTabs).Width(),
              stop + canvas().TextWidth("c"));
    EXPECT_EQ(Calc("\t\tc", {}, dtSingleLine | dtExpandTabs).Width(),
              2 * stop + canvas().TextWidth("c"));
    EXPECT_EQ(Calc("ab\tc", {}, dtSingleLine).Width(), canvas().TextWidth("abc"));
    TRect r{10, 10, 300, 100};
    canvas().DrawText("a\tI", r, dtSingleLine | dtExpandTabs);
    const TRect second = Ink({10 + canvas().TextWidth("a") + 1, 0, 400, 300});
    EXPECT_GE(second.Left, 10 + stop);
    EXPECT_LE(second.Left, 10 + stop + 3);
}

TEST_F(DrawTextTest, AlignmentWithinTheRectangle) {
    const TRect r{50, 40, 250, 140};
    const int width = canvas().TextWidth("Mid");
    const auto draw = [&](unsigned format) {
        bmp_.Buffer().Resize(400, 300);
        TRect box = r;
        canvas().Brush().Style = bsSolid;
        canvas().Brush().Color = clRed;
        canvas().DrawText("Mid", box, format);
        // The brush paints the line box, which shows where the line went.
        return Ink();
    };
    EXPECT_EQ(draw(dtSingleLine), Bounds(50, 40, width, H()));
    EXPECT_EQ(draw(dtSingleLine | dtRight), Bounds(250 - width, 40, width, H()));
    EXPECT_EQ(draw(dtSingleLine | dtCenter), Bounds(50 + (200 - width) / 2, 40, width, H()));
    EXPECT_EQ(draw(dtSingleLine | dtVCenter), Bounds(50, 40 + (100 - H()) / 2, width, H()));
    EXPECT_EQ(draw(dtSingleLine | dtBottom | dtRight), Bounds(250 - width, 140 - H(), width, H()));
    // Vertical placement is for single lines only.
    EXPECT_EQ(draw(dtBottom), Bounds(50, 40, width, H()));

    TRect box = r;
    EXPECT_EQ(canvas().DrawText("Mid", box, dtSingleLine | dtBottom), 100);
    EXPECT_EQ(box, r);
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessTold) {
    canvas().Font().SetHeight(-30);
    TRect r{20, 20, 60, 35};
    canvas().DrawText("Wide text", r, dtSingleLine);
    const TRect clipped = Ink();
    EXPECT_GE(clipped.Left, 20);
    EXPECT_LE(clipped.Right, 60);
    EXPECT_LE(clipped.Bottom, 35);
    EXPECT_FALSE(canvas().IsClipped());

    bmp_.Buffer().Resize(400, 300);
    canvas().DrawText("Wide text", r, dtSingleLine | dtNoClip);
    EXPECT_GT(Ink().Right, 60);
}

TEST_F(DrawTextTest, TurnedFontsFormatFlat) {
    TRect flatBox{10, 10, 200, 100};
    canvas().DrawText("Flat", flatBox, dtSingleLine);
    const TRect flat = Ink();
    bmp_.Buffer().Resize(400, 300);
    canvas().Font().SetOrientation(900);
    TRect r{10, 10, 200, 100};
    canvas().DrawText("Flat", r, dtSingleLine);
    EXPECT_EQ(Ink(), flat);
}

}  // namespace
