#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"
#include "graphics/FontMetrics.h"
#include "graphics/TextInk.h"

namespace {

int HeightOfW(const std::string& family, int height) {
    TBitmap bmp(10, 10);
    bmp.Canvas().Font() = MakeFont(family, height);
    return bmp.Canvas().TextHeight("W");
}

TEST(TextMetrics, PlatformHeightsOfTheLayoutFonts) {
    EXPECT_EQ(HeightOfW("Arial", -11), 14);
    EXPECT_EQ(HeightOfW("Arial", -12), 15);
    EXPECT_EQ(HeightOfW("Arial", -13), 16);
    EXPECT_EQ(HeightOfW("Arial", -16), 19);
    EXPECT_EQ(HeightOfW("Arial", -19), 22);
    EXPECT_EQ(HeightOfW("Verdana", -11), 13);
    EXPECT_EQ(HeightOfW("MS Sans Serif", -11), 13);
    const TFontMetrics arial = PlatformFontMetrics("Arial", -11);
    EXPECT_EQ(arial.Ascent, 11);
    EXPECT_EQ(arial.Descent, 3);
    EXPECT_EQ(arial.InternalLeading, 3);
    // Family names are matched the way the platform matches them.
    EXPECT_EQ(PlatformFontMetrics("arial", -16), PlatformFontMetrics("Arial", -16));
}

TEST(TextMetrics, HeightIsTheCellForAnyText) {
    TBitmap bmp(10, 10);
    bmp.Canvas().Font() = MakeFont("Arial", -13);
    EXPECT_EQ(bmp.Canvas().TextHeight(""), 16);
    EXPECT_EQ(bmp.Canvas().TextHeight("gjp"), 16);
    EXPECT_EQ(bmp.Canvas().TextHeight("正常关机"), 16);
    const TSize extent = bmp.Canvas().TextExtent("Hello");
    EXPECT_EQ(extent.cy, 16);
    EXPECT_EQ(extent.cx, bmp.Canvas().TextWidth("Hello"));
}

TEST(TextMetrics, DerivedSizesGrowSteadily) {
    for (const char* family : {"Arial", "Verdana", "MS Sans Serif", "Tahoma", "Times New Roman",
                               "Courier New", "Nope"}) {
        int previous = 0;
        for (int em = 1; em <= 200; ++em) {
            const TFontMetrics m = PlatformFontMetrics(family, -em);
            SCOPED_TRACE(std::string(family) + " em " + std::to_string(em));
            ASSERT_EQ(m.EmPixels, em);
            ASSERT_EQ(m.Height, m.Ascent + m.Descent);
            ASSERT_GE(m.Height, previous);
            ASSERT_LE(m.Height - previous, 3);
            ASSERT_GE(m.Ascent, 1);
            ASSERT_GE(m.AveCharWidth, 1);
            previous = m.Height;
        }
        // Far from the known sizes the family's proportions still hold.
        const TFontMetrics big = PlatformFontMetrics(family, -200);
        EXPECT_GT(big.Height, 200);
        EXPECT_LT(big.Height, 280);
    }
}

TEST(TextMetrics, PositiveHeightIsTheCell) {
    for (int cell : {8, 13, 14, 15, 16, 20, 37, 100}) {
        const TFontMetrics m = PlatformFontMetrics("Arial", cell);
        EXPECT_LE(m.Height, cell) << cell;
        EXPECT_GE(m.Height, cell - 2) << cell;
        EXPECT_EQ(m.EmPixels, m.Height - m.InternalLeading);
    }
    // The platform's own pairs: a 14-pixel cell is the 11-pixel em.
    EXPECT_EQ(PlatformFontMetrics("Arial", 14).EmPixels, 11);
    EXPECT_EQ(PlatformFontMetrics("Arial", 22).EmPixels, 19);
}

TEST(TextMetrics, AbsurdHeightsStayBounded) {
    for (int h : {0, 1, -1, 1 << 30, -(1 << 30), INT32_MIN, INT32_MAX}) {
        const TFontMetrics m = PlatformFontMetrics("Arial", h);
        EXPECT_GE(m.EmPixels, 1) << h;
        EXPECT_LE(m.EmPixels, 2000) << h;
        EXPECT_GT(m.Height, 0) << h;
    }
    TBitmap bmp(40, 40);
    bmp.Canvas().Font() = MakeFont("Arial", INT32_MIN);
    bmp.Canvas().TextOut(0, 0, "W");
    EXPECT_GT(bmp.Canvas().TextWidth("W"), 0);
}

TEST(TextMetrics, FontSizeIsPointsAtScreenResolution) {
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    f.SetSize(14);
    EXPECT_EQ(f.Height(), -19);
    EXPECT_EQ(f.Size(), 14);
    // A cell height reads back as a negative size, as on the platform.
    f.SetHeight(16);
    EXPECT_EQ(f.Size(), -12);
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10);  // 9.75 rounds up
    f.SetSize(1 << 30);
    EXPECT_LT(f.Height(), 0);
}

TEST(TextMetrics, Utf8DecodingSurvivesMalformedInput) {
    const std::string text = "a\xE5\xBC\x80\xC3\x28\xF0\x9F\x98\x80\xED\xA0\x80\xE5\xBC";
    std::vector<std::uint32_t> cps;
    for (std::size_t pos = 0; pos < text.size();) cps.push_back(NextCodePoint(text, pos));
    const std::vector<std::uint32_t> expected = {'a',    0x5F00, 0xFFFD, '(',    0x1F600,
                                                 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD};
    EXPECT_EQ(cps, expected);
    std::size_t pos = 0;
    EXPECT_EQ(NextCodePoint("\xC0\xAF", pos), 0xFFFDu);  // overlong "/"
    EXPECT_EQ(pos, 1u);
}

TEST(TextMetrics, QuarterTurns) {
    EXPECT_EQ(TextQuarterTurn(0), 0);
    EXPECT_EQ(TextQuarterTurn(900), 900);
    EXPECT_EQ(TextQuarterTurn(2700), 2700);
    EXPECT_EQ(TextQuarterTurn(-900), 2700);
    EXPECT_EQ(TextQuarterTurn(4500), 900);
    EXPECT_EQ(TextQuarterTurn(1800), 0);
}

}  // namespace
