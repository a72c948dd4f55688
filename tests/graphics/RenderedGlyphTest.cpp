#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "graphics/RenderedGlyph.h"

namespace {

struct TCell {
    int X;
    int Y;
};

// Where an upright pixel cell lands when text is turned about its pen point: a quarter
// anticlockwise reads bottom to top (900), a quarter clockwise top to bottom (2700).
TCell Turned(TCell c, int quarterTurn) {
    if (quarterTurn == 900) return {c.Y, -c.X - 1};
    if (quarterTurn == 2700) return {-c.Y - 1, c.X};
    return c;
}

// Every pixel of an upright image with distinct values must show up, in the turned mask, at
// the place the turn carries it to.
void ExpectTurnedImage(int w, int h, int left, int top, int quarterTurn) {
    std::vector<std::uint8_t> upright;
    for (int i = 0; i < w * h; ++i) upright.push_back(static_cast<std::uint8_t>(i + 1));
    TRenderedGlyph g;
    SetGlyphMask(g, upright, w, h, left, top, quarterTurn);
    ASSERT_TRUE(g.HasInk);
    ASSERT_EQ(g.Mask.Bits, g.Bits.data());
    ASSERT_EQ(g.Mask.Width * g.Mask.Height, w * h);
    ASSERT_EQ(g.Mask.Pitch, g.Mask.Width);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const TCell at = Turned({left + x, top + y}, quarterTurn);
            const int col = at.X - g.Mask.Left;
            const int row = at.Y - g.Mask.Top;
            ASSERT_TRUE(col >= 0 && col < g.Mask.Width && row >= 0 && row < g.Mask.Height)
                << "turn " << quarterTurn << " pixel " << x << "," << y;
            EXPECT_EQ(g.Mask.Bits[row * g.Mask.Pitch + col], upright[y * w + x])
                << "turn " << quarterTurn << " pixel " << x << "," << y;
        }
    }
}

TEST(RenderedGlyph, MaskKeepsEveryPixelWhereTheTurnCarriesIt) {
    for (int turn : {0, 900, 2700}) {
        // A glyph standing on the baseline, one reaching below it, one left of the pen.
        ExpectTurnedImage(3, 5, 1, -5, turn);
        ExpectTurnedImage(4, 7, 0, -4, turn);
        ExpectTurnedImage(2, 1, -3, 2, turn);
    }
    TRenderedGlyph upright;
    SetGlyphMask(upright, {1, 2, 3, 4, 5, 6}, 3, 2, 1, -7, 0);
    EXPECT_EQ(upright.Mask.Width, 3);
    EXPECT_EQ(upright.Mask.Height, 2);
    EXPECT_EQ(upright.Mask.Left, 1);
    EXPECT_EQ(upright.Mask.Top, -7);
    TRenderedGlyph up;
    SetGlyphMask(up, {1, 2, 3, 4, 5, 6}, 3, 2, 1, -7, 900);
    // Turned to read upwards, ink above the baseline lies left of the pen point and ink ahead
    // of the pen lies above it.
    EXPECT_EQ(up.Mask.Width, 2);
    EXPECT_EQ(up.Mask.Height, 3);
    EXPECT_EQ(up.Mask.Left, -7);
    EXPECT_EQ(up.Mask.Top, -4);
}

TEST(RenderedGlyph, EnginesDrawAtMostTheLargestEm) {
    TFontMetrics m;
    m.EmPixels = 13;
    EXPECT_EQ(RenderedEm(m), 13);
    m.EmPixels = 0;
    EXPECT_EQ(RenderedEm(m), 1);
    m.EmPixels = 4000;
    EXPECT_EQ(RenderedEm(m), kMaxRenderedEm);
}

class ShapeByCharacterTest : public ::testing::Test {
  protected:
    ShapeByCharacterTest() {
        table_.AveCharWidth = 6;
        ink_.Advance = 9;
        SetGlyphMask(ink_, {255}, 1, 1, 0, -1, 0);
        blank_.Advance = 4;
    }

    // 'x' has ink, ' ' has none, 'Q' no face draws.
    std::vector<TShapedChar> Shape(std::string_view text, bool withMasks) {
        std::vector<TShapedChar> out(3);  // what a previous call left
        ShapeByCharacter(text, withMasks, table_, out,
                         [this](std::uint32_t cp) -> const TRenderedGlyph* {
                             ++asked_[cp];
                             if (cp == 'Q') return nullptr;
                             return cp == ' ' ? &blank_ : &ink_;
                         });
        return out;
    }

    TFontMetrics table_;
    TRenderedGlyph ink_;
    TRenderedGlyph blank_;
    std::map<std::uint32_t, int> asked_;
};

TEST_F(ShapeByCharacterTest, OneEntryPerCodePointAtItsByteOffset) {
    const auto out = Shape("a\xC3\xA9\xE6\xAD\xA3\xF0\x9F\x98\x80!\xFF", false);
    ASSERT_EQ(out.size(), 6u);
    const std::uint32_t offsets[] = {0, 1, 3, 6, 10, 11};
    const std::uint32_t codePoints[] = {'a', 0xE9, 0x6B63, 0x1F600, '!', 0xFFFD};
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].Offset, offsets[i]);
        EXPECT_EQ(out[i].CodePoint, codePoints[i]);
        EXPECT_EQ(out[i].Advance, 9);
    }
    EXPECT_TRUE(Shape("", true).empty());
}

TEST_F(ShapeByCharacterTest, ControlCharactersTakeNoRoomAndAreNotDrawn) {
    const auto out = Shape(
        "x\t\n\x7F"
        "x",
        true);
    ASSERT_EQ(out.size(), 5u);
    for (int i : {1, 2, 3}) {
        EXPECT_EQ(out[i].Advance, 0);
        EXPECT_EQ(out[i].Mask, nullptr);
    }
    EXPECT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_['x'], 2);
}

TEST_F(ShapeByCharacterTest, MasksOnlyWhenAskedAndOnlyForInk) {
    const auto drawn = Shape("x x", true);
    EXPECT_EQ(drawn[0].Mask, &ink_.Mask);
    EXPECT_EQ(drawn[1].Mask, nullptr);
    EXPECT_EQ(drawn[1].Advance, 4);
    EXPECT_EQ(drawn[2].Mask, &ink_.Mask);
    for (const TShapedChar& c : Shape("x x", false)) EXPECT_EQ(c.Mask, nullptr);
}

TEST_F(ShapeByCharacterTest, CharactersNoFaceDrawsMeasureFromTheTable) {
    const auto out = Shape("Q\xE6\xAD\xA3", true);
    EXPECT_EQ(out[0].Advance, 6);
    EXPECT_EQ(out[0].Mask, nullptr);
    // The wide character has a glyph here; with none it takes two average widths.
    EXPECT_EQ(out[1].Advance, 9);
    std::vector<TShapedChar> tableOnly;
    ShapeByCharacter(
        "\xE6\xAD\xA3"
        "a",
        true, table_, tableOnly, [](std::uint32_t) -> const TRenderedGlyph* { return nullptr; });
    ASSERT_EQ(tableOnly.size(), 2u);
    EXPECT_EQ(tableOnly[0].Advance, 12);
    EXPECT_EQ(tableOnly[1].Advance, 6);
}

}  // namespace
