#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/FontMetrics.h"
#include "graphics/TextInk.h"
#include "platform/freetype/FreeTypeFontEngine.h"

namespace {

void RestoreDefault() {
    InstallFreeTypeFontEngine();
}

int Width(const TFont& font, std::string_view text) {
    TBitmap bmp(1, 1);
    bmp.Canvas().Font() = font;
    return bmp.Canvas().TextWidth(text);
}

TRect InkOf(const TFont& font, std::string_view text) {
    TBitmap bmp(400, 120);
    bmp.Canvas().Brush().Style = bsClear;
    bmp.Canvas().Font() = font;
    bmp.Canvas().TextOut(10, 10, text);
    return InkBounds(bmp.Buffer());
}

TEST(FreeTypeEngine, WindowsFamiliesUseTheirLookAlikes) {
    const std::string text = "Power-on history 2026-12-08";
    EXPECT_EQ(Width(MakeFont("Arial", -13), text), Width(MakeFont("Liberation Sans", -13), text));
    EXPECT_EQ(Width(MakeFont("MS Sans Serif", -11), text),
              Width(MakeFont("Liberation Sans", -11), text));
    EXPECT_EQ(Width(MakeFont("Verdana", -11), text), Width(MakeFont("DejaVu Sans", -11), text));
    EXPECT_EQ(Width(MakeFont("Courier New", -12), "iiii"),
              Width(MakeFont("Courier New", -12), "WWWW"));
    // The look-alike's glyphs, the requested family's line height.
    TBitmap bmp(1, 1);
    bmp.Canvas().Font() = MakeFont("Verdana", -11);
    EXPECT_EQ(bmp.Canvas().TextHeight("W"), 13);
}

TEST(FreeTypeEngine, StylesChangeTheGlyphs) {
    const std::string text = "Orderly shutdown";
    const int regular = Width(MakeFont("Arial", -16), text);
    EXPECT_GT(Width(MakeFont("Arial", -16, fsBold), text), regular);
    const TRect upright = InkOf(MakeFont("Arial", -30), "l");
    const TRect italic = InkOf(MakeFont("Arial", -30, fsItalic), "l");
    EXPECT_GT(italic.Width(), upright.Width());
    // The CJK face has no bold: it is made bolder rather than left as it is.
    const TRect cjk = InkOf(MakeFont("Arial", -20), "正常关机");
    const TRect cjkBold = InkOf(MakeFont("Arial", -20, fsBold), "正常关机");
    EXPECT_GT(cjkBold.Width(), cjk.Width());
}

TEST(FreeTypeEngine, MissingFamilyFallsBackAndSaysSoOnce) {
    TScopedFontEngine scoped(CreateFreeTypeFontEngine(), RestoreDefault);
    ::testing::internal::CaptureStderr();
    const TFont font = MakeFont("No Such Family Anywhere", -13);
    EXPECT_GT(Width(font, "abc"), 0);
    EXPECT_FALSE(InkOf(font, "abc").IsEmpty());
    EXPECT_FALSE(InkOf(MakeFont("No Such Family Anywhere", -20, fsBold), "abc").IsEmpty());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("No Such Family Anywhere"), std::string::npos) << said;
    EXPECT_EQ(said.find("No Such Family Anywhere"), said.rfind("No Such Family Anywhere")) << said;
    // Unknown families measure like Arial.
    TBitmap bmp(1, 1);
    bmp.Canvas().Font() = font;
    EXPECT_EQ(bmp.Canvas().TextHeight("W"), 16);
}

TEST(FreeTypeEngine, UnreadableFontFileFallsBackToAnyFace) {
    TFreeTypeOptions options;
    options.FaceFiles["Arial"] = "/nonexistent/arial.ttf";
    TScopedFontEngine scoped(CreateFreeTypeFontEngine(options), RestoreDefault);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(InkOf(MakeFont("Arial", -13), "Refresh").IsEmpty());
    EXPECT_FALSE(InkOf(MakeFont("Arial", -13), "Refresh").IsEmpty());
    const std::string said = ::testing::internal::GetCapturedStderr();
    const auto first = said.find("/nonexistent/arial.ttf");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(first, said.rfind("/nonexistent/arial.ttf")) << said;
}

TEST(FreeTypeEngine, WithoutAnyFontTextMeasuresButDrawsNothing) {
    TFreeTypeOptions options;
    options.UseFontconfig = false;
    TScopedFontEngine scoped(CreateFreeTypeFontEngine(options), RestoreDefault);
    ::testing::internal::CaptureStderr();
    const TFont font = MakeFont("Arial", -11);
    const TFontMetrics m = PlatformFontMetrics("Arial", -11);
    EXPECT_EQ(Width(font, "abc"), 3 * m.AveCharWidth);
    EXPECT_EQ(Width(font, "正常"), 4 * m.AveCharWidth);
    EXPECT_TRUE(InkOf(font, "abc").IsEmpty());
    TBitmap bmp(100, 50);
    bmp.Canvas().Font() = font;
    TRect r{0, 0, 100, 50};
    EXPECT_EQ(bmp.Canvas().DrawText("two\nlines", r, 0), 2 * m.Height);
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
}

TEST(FreeTypeEngine, WithoutAnEngineTheTableMeasures) {
    TScopedFontEngine scoped(nullptr, RestoreDefault);
    const TFontMetrics m = PlatformFontMetrics("Verdana", -11);
    EXPECT_EQ(Width(MakeFont("Verdana", -11), "ab\t"), 2 * m.AveCharWidth);
    EXPECT_TRUE(InkOf(MakeFont("Verdana", -11), "abc").IsEmpty());
}

TEST(FreeTypeEngine, GlyphsSurviveACacheFlush) {
    const TFont font = MakeFont("Arial", -14);
    TBitmap before(200, 40);
    before.Canvas().Font() = font;
    before.Canvas().TextOut(5, 5, "Cached 正常");
    // Enough large distinct glyphs to overflow the cache's budget several times.
    TBitmap scratch(8, 8);
    std::string many;
    for (char32_t cp = 0x4E00; cp < 0x4E00 + 400; ++cp) {
        many += static_cast<char>(0xE0 | (cp >> 12));
        many += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        many += static_cast<char>(0x80 | (cp & 0x3F));
    }
    for (int h : {-200, -210, -220}) {
        scratch.Canvas().Font() = MakeFont("Arial", h);
        scratch.Canvas().TextOut(0, 0, many);
    }
    TBitmap after(200, 40);
    after.Canvas().Font() = font;
    after.Canvas().TextOut(5, 5, "Cached 正常");
    EXPECT_TRUE(std::equal(before.Buffer().Data(), before.Buffer().Data() + 200 * 40,
                           after.Buffer().Data()));
}

TEST(FreeTypeEngine, MasksAreTurnedExactly) {
    auto engine = CreateFreeTypeFontEngine();
    TFont font = MakeFont("Arial", -20);
    std::vector<TShapedChar> flat;
    engine->Shape(font, "L", true, flat);
    ASSERT_EQ(flat.size(), 1u);
    ASSERT_NE(flat[0].Mask, nullptr);
    const TGlyphMask a = *flat[0].Mask;
    const std::vector<std::uint8_t> bits(a.Bits, a.Bits + a.Pitch * a.Height);
    font.SetOrientation(900);
    std::vector<TShapedChar> up;
    engine->Shape(font, "L", true, up);
    const TGlyphMask b = *up[0].Mask;
    EXPECT_EQ(up[0].Advance, flat[0].Advance);
    ASSERT_EQ(b.Width, a.Height);
    ASSERT_EQ(b.Height, a.Width);
    // Reading up: the mask's bottom row is the flat mask's left column.
    for (int y = 0; y < a.Height; ++y)
        for (int x = 0; x < a.Width; ++x)
            ASSERT_EQ(b.Bits[(a.Width - 1 - x) * b.Pitch + y], bits[y * a.Pitch + x]);
    EXPECT_EQ(b.Left, a.Top);
    EXPECT_EQ(b.Top, -(a.Left + a.Width));
}

}  // namespace
