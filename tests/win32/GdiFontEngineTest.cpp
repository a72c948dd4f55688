#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/Font.h"
#include "graphics/FontMetrics.h"
#include "platform/win32/GdiFontEngine.h"

namespace {

TFont MakeFont(const char* family, int height, TFontStyles style = 0, int orientation = 0) {
    TFont f;
    f.SetName(family);
    f.SetHeight(height);
    f.SetStyle(style);
    f.SetOrientation(orientation);
    return f;
}

class GdiFontEngineTest : public ::testing::Test {
  protected:
    std::vector<TShapedChar> Shape(const TFont& font, std::string_view text, bool masks = true) {
        std::vector<TShapedChar> out;
        engine_->Shape(font, text, masks, out);
        return out;
    }
    int Width(const TFont& font, std::string_view text) {
        int w = 0;
        for (const TShapedChar& c : Shape(font, text, false)) w += c.Advance;
        return w;
    }
    std::unique_ptr<IFontEngine> engine_ = CreateGdiFontEngine();
};

TEST_F(GdiFontEngineTest, LineMetricsAreThePlatformTables) {
    for (const char* family : {"Arial", "MS Sans Serif", "No Such Family"}) {
        for (int height : {-11, -13, 16}) {
            EXPECT_EQ(engine_->Metrics(MakeFont(family, height)),
                      PlatformFontMetrics(family, height))
                << family << " " << height;
        }
    }
}

TEST_F(GdiFontEngineTest, AdvancesFollowTheFace) {
    const TFont arial = MakeFont("Arial", -24);
    EXPECT_GT(Width(arial, "W"), Width(arial, "i"));
    EXPECT_EQ(Width(arial, "MMMM"), 4 * Width(arial, "M"));  // no kerning
    EXPECT_GT(Width(MakeFont("Arial", -48), "M"), Width(arial, "M"));
    // Bold ink is wider.
    EXPECT_GE(Width(MakeFont("Arial", -24, fsBold), "MMMM"), Width(arial, "MMMM"));
    // Offsets are bytes of the UTF-8 text.
    const std::vector<TShapedChar> chars = Shape(arial, "a关b");
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[1].Offset, 1u);
    EXPECT_EQ(chars[1].CodePoint, 0x5173u);
    EXPECT_EQ(chars[2].Offset, 4u);
}

TEST_F(GdiFontEngineTest, InkSitsOnTheBaseline) {
    const TFont arial = MakeFont("Arial", -40);
    const TShapedChar h = Shape(arial, "H")[0];
    ASSERT_NE(h.Mask, nullptr);
    // A capital stands on the baseline and reaches about 0.7 em above it.
    EXPECT_LE(h.Mask->Top + h.Mask->Height, 1);
    EXPECT_GE(h.Mask->Top + h.Mask->Height, -1);
    EXPECT_NEAR(-h.Mask->Top, 29, 3);
    EXPECT_GE(h.Mask->Left, 0);
    EXPECT_LT(h.Mask->Left + h.Mask->Width, h.Advance + 2);
    // Its two stems are solid: some row has full coverage.
    int full = 0;
    for (int i = 0; i < h.Mask->Height * h.Mask->Pitch; ++i) full += h.Mask->Bits[i] == 255;
    EXPECT_GT(full, h.Mask->Height);
    // A descender goes below it.
    const TShapedChar p = Shape(arial, "p")[0];
    ASSERT_NE(p.Mask, nullptr);
    EXPECT_GT(p.Mask->Top + p.Mask->Height, 5);
}

TEST_F(GdiFontEngineTest, QuarterTurnsTurnTheMask) {
    const TShapedChar upright = Shape(MakeFont("Arial", -30), "L")[0];
    const TShapedChar up = Shape(MakeFont("Arial", -30, 0, 900), "L")[0];
    const TShapedChar down = Shape(MakeFont("Arial", -30, 0, 2700), "L")[0];
    ASSERT_TRUE(upright.Mask && up.Mask && down.Mask);
    for (const TShapedChar* turned : {&up, &down}) {
        EXPECT_EQ(turned->Mask->Width, upright.Mask->Height);
        EXPECT_EQ(turned->Mask->Height, upright.Mask->Width);
        EXPECT_EQ(turned->Advance, upright.Advance);
    }
    // Reading bottom to top, the letter's top points left: the ink lies left of the
    // vertical baseline and above the pen; the foot of the L becomes the right column.
    EXPECT_LE(up.Mask->Left + up.Mask->Width, 1);
    EXPECT_LE(up.Mask->Top + up.Mask->Height, 1);
    // Top to bottom it lies right of the baseline and below the pen, the foot on the left.
    EXPECT_GE(down.Mask->Left, -1);
    EXPECT_GE(down.Mask->Top, -1);
    auto fullColumn = [](const TGlyphMask& m, int x) {
        int n = 0;
        for (int y = 0; y < m.Height; ++y) n += m.Bits[y * m.Pitch + x] > 128;
        return n > m.Height / 2;
    };
    EXPECT_TRUE(fullColumn(*up.Mask, up.Mask->Width - 1));
    EXPECT_FALSE(fullColumn(*up.Mask, 0));
    EXPECT_TRUE(fullColumn(*down.Mask, 0));
    EXPECT_FALSE(fullColumn(*down.Mask, down.Mask->Width - 1));
}

TEST_F(GdiFontEngineTest, ChineseComesFromTheLinkedFace) {
    for (const char* family : {"Arial", "MS Sans Serif"}) {
        SCOPED_TRACE(family);
        const TFont font = MakeFont(family, -12);
        const std::vector<TShapedChar> chars = Shape(font, "开机");
        ASSERT_EQ(chars.size(), 2u);
        for (const TShapedChar& c : chars) {
            ASSERT_NE(c.Mask, nullptr);
            // A full-width character is about one em wide, not a narrow box for a missing one.
            EXPECT_GE(c.Advance, 11);
            EXPECT_GE(c.Mask->Width, 8);
            EXPECT_GE(c.Mask->Height, 8);
        }
    }
}

TEST_F(GdiFontEngineTest, OddInputDrawsNothingOrSomethingButNeverFails) {
    // Control characters take no room; malformed UTF-8 becomes one replacement character.
    for (const TShapedChar& c : Shape(MakeFont("Arial", -12), "\t\n\x7f")) {
        EXPECT_EQ(c.Advance, 0);
        EXPECT_EQ(c.Mask, nullptr);
    }
    const std::vector<TShapedChar> broken = Shape(MakeFont("Arial", -12), "\xff");
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].CodePoint, 0xFFFDu);
    // Absurd sizes are drawn at a bounded size; a space has no ink; an empty name still
    // gets the system's default face; a character beyond the BMP is one code point.
    EXPECT_GT(Width(MakeFont("Arial", -100000), "M"), 0);
    EXPECT_GE(Width(MakeFont("Arial", 0), "M"), 0);
    EXPECT_EQ(Shape(MakeFont("Arial", -12), " ")[0].Mask, nullptr);
    EXPECT_GT(Width(MakeFont("", -12), "M"), 0);
    EXPECT_EQ(Shape(MakeFont("Arial", -12), "\xf0\x9f\x98\x80").size(), 1u);
    EXPECT_TRUE(Shape(MakeFont("Arial", -12), "").empty());
}

}  // namespace
