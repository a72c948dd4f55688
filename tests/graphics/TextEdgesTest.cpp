#include <gtest/gtest.h>

#include <string>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/TextInk.h"

namespace {

class TextEdges : public ::testing::Test {
  protected:
    TextEdges() : bmp_(400, 300) {
        canvas().Font() = MakeFont("Arial", -13);
        canvas().Brush().Style = bsClear;
    }
    TCanvas& canvas() { return bmp_.Canvas(); }
    int H() { return canvas().TextHeight("W"); }
    // The width DrawText gives a single line cut with an end ellipsis to fit width pixels.
    int CutWidth(const std::string& text, int width) {
        TRect r{10, 10, 10 + width, 10 + H()};
        canvas().DrawText(text, r, dtSingleLine | dtEndEllipsis | dtCalcRect);
        return r.Width();
    }

    TBitmap bmp_;
};

// A line exactly as wide as the rectangle is left whole; one pixel less cuts it, keeping the
// longest start that fits together with "...". A cut line that exactly fills the rectangle keeps
// that many characters, one pixel less drops one more.
TEST_F(TextEdges, EndEllipsisAtExactFit) {
    const int dots = canvas().TextWidth("...");
    for (const std::string text : {"Thursday", "Refresh now", "13:45:10", "Wm"}) {
        const int full = canvas().TextWidth(text);
        EXPECT_EQ(CutWidth(text, full), full) << text;
        EXPECT_EQ(CutWidth(text, full + 1), full) << text;
        // One pixel narrower: the longest start that still fits with the dots.
        std::size_t keep = text.size() - 1;
        while (keep > 0 && canvas().TextWidth(text.substr(0, keep)) + dots > full - 1) --keep;
        EXPECT_EQ(CutWidth(text, full - 1), canvas().TextWidth(text.substr(0, keep)) + dots)
            << text;
        for (std::size_t k = 1; k < text.size(); ++k) {
            const int fit = canvas().TextWidth(text.substr(0, k)) + dots;
            if (fit >= full) continue;  // this start never needs cutting
            EXPECT_EQ(CutWidth(text, fit), fit) << text << " keeping " << k;
            EXPECT_EQ(CutWidth(text, fit - 1), canvas().TextWidth(text.substr(0, k - 1)) + dots)
                << text << " keeping " << k - 1;
        }
    }
}

// A single line centred vertically starts (height - text height) / 2 rows down, the odd row
// left over going below the text.
TEST_F(TextEdges, VerticalCentringPutsTheOddRowBelow) {
    const int width = canvas().TextWidth("Mid");
    for (int extra = 0; extra <= 7; ++extra) {
        bmp_.Buffer().Resize(400, 300);
        TRect box{50, 40, 250, 40 + H() + extra};
        canvas().Brush().Style = bsSolid;
        canvas().Brush().Color = clRed;
        canvas().DrawText("Mid", box, dtSingleLine | dtVCenter);
        // The brush paints the line box, which shows where the line went.
        EXPECT_EQ(InkBounds(bmp_.Buffer()),
                  (TRect{50, 40 + extra / 2, 50 + width, 40 + extra / 2 + H()}))
            << "rows to spare " << extra;
    }
}

}  // namespace
