#include <gtest/gtest.h>

#include <string>

#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"

namespace {

// A one pixel horizontal line shows each pen style's on/off runs, starting with an "on" run at
// the line's first pixel; a changed run length or a shifted start moves some pixel.
TEST(CanvasEdges, PenStylePatternsOnAHorizontalLine) {
    struct Case {
        TPenStyle Style;
        std::string Row;  // 48 pixels from x = 0
    };
    const auto repeat = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    const Case cases[] = {
        {psSolid, std::string(48, '#')},
        {psDash, repeat(std::string(18, '#') + std::string(6, '.'), 2)},
        {psDot, repeat("#.", 24)},
        {psDashDot, repeat("#########......###......", 2)},
        {psDashDotDot, repeat("#########...###...###...", 2)},
        {psClear, std::string(48, '.')},
    };
    for (const Case& c : cases) {
        TPixelBuffer b(50, 3);
        TCanvas canvas(b);
        canvas.Pen().Style = c.Style;
        canvas.MoveTo(0, 1);
        canvas.LineTo(48, 1);
        EXPECT_EQ(Picture(b, {0, 1, 48, 2}), c.Row + '\n') << "style " << int(c.Style);
        // Nothing strays off the line's row or past its end.
        EXPECT_EQ(Picture(b, {0, 0, 50, 1}), std::string(50, '.') + '\n')
            << "style " << int(c.Style);
        EXPECT_EQ(Picture(b, {0, 2, 50, 3}), std::string(50, '.') + '\n')
            << "style " << int(c.Style);
        EXPECT_EQ(Picture(b, {48, 1, 50, 2}), "..\n") << "style " << int(c.Style);
    }
}

// Source-over blending rounds each channel to nearest, (v + 127) / 255, at values where plain
// truncation or rounding with a different bias gives another result.
TEST(CanvasEdges, AlphaDrawRoundsBlendedChannels) {
    struct Case {
        TPixel Dest, Source, Expected;
    };
    const Case cases[] = {
        {0xFF646464, 0x80000000, 0xFF323232},  // 100 * 127 / 255 = 49.8
        {0xFF010101, 0x80000000, 0xFF000000},  // 1 * 127 / 255 + 0.5 falls just short of 1
        {0xFF0A6496, 0x40C83214, 0xFF3A5775},  // mixed channels, red 57.6 rounds up
        {0x64FFFFFF, 0x80000000, 0xB27F7F7F},  // destination alpha 128 + 49.8
        {0xFF000000, 0x01FFFFFF, 0xFF010101},  // faintest source still shows
        {0xFFFFFFFF, 0xFE000000, 0xFF010101},  // nearly opaque source leaves a trace of white
        {0xFF123456, 0xFFABCDEF, 0xFFABCDEF},  // opaque source replaces
        {0xFF123456, 0x00ABCDEF, 0xFF123456},  // transparent source leaves the picture alone
    };
    for (const Case& c : cases) {
        TPixelBuffer image(1, 1);
        image.Row(0)[0] = c.Source;
        TPixelBuffer b(3, 1);
        b.Row(0)[0] = b.Row(0)[1] = b.Row(0)[2] = c.Dest;
        TCanvas canvas(b);
        canvas.Draw(1, 0, image, true);
        EXPECT_EQ(b.Row(0)[1], c.Expected) << std::hex << c.Dest << " under " << c.Source;
        EXPECT_EQ(b.Row(0)[0], c.Dest);
        EXPECT_EQ(b.Row(0)[2], c.Dest);
    }
}

}  // namespace
