#include <gtest/gtest.h>

#include <functional>
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

namespace {

// Even pen widths have no middle pixel: a wide line puts the extra row or column before its
// course (above, left) and reaches half the width back past its start but one less past its end,
// and a rectangle's ring grows (w - 1) / 2 outward with the rest inward.
TEST(CanvasEdges, EvenPenWidthsCoverExactPixels) {
    struct Case {
        const char* Name;
        int Width;
        std::function<void(TCanvas&)> Draw;
        TRect Ink;   // every pixel in here is pen ...
        TRect Hole;  // ... except these
    };
    const auto line = [](int x0, int y0, int x1, int y1) {
        return [=](TCanvas& c) {
            c.MoveTo(x0, y0);
            c.LineTo(x1, y1);
        };
    };
    const auto rect = [](TCanvas& c) {
        c.Brush().Style = bsClear;
        c.Rectangle(4, 4, 14, 12);
    };
    const Case cases[] = {
        {"horizontal line", 2, line(5, 8, 12, 8), {4, 7, 12, 9}, {}},
        {"horizontal line", 4, line(5, 8, 12, 8), {3, 6, 13, 10}, {}},
        {"leftward line", 2, line(12, 8, 5, 8), {6, 7, 14, 9}, {}},
        {"vertical line", 2, line(8, 5, 8, 12), {7, 4, 9, 12}, {}},
        {"vertical line", 4, line(8, 5, 8, 12), {6, 3, 10, 13}, {}},
        {"rectangle", 2, rect, {4, 4, 14, 12}, {6, 6, 12, 10}},
        {"rectangle", 3, rect, {3, 3, 15, 13}, {6, 6, 12, 10}},
        {"rectangle", 4, rect, {3, 3, 15, 13}, {7, 7, 11, 9}},
    };
    for (const Case& c : cases) {
        TPixelBuffer b(20, 20);
        TCanvas canvas(b);
        canvas.Pen().Width = c.Width;
        c.Draw(canvas);
        std::string expected;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool in =
                    x >= c.Ink.Left && x < c.Ink.Right && y >= c.Ink.Top && y < c.Ink.Bottom;
                const bool hole =
                    x >= c.Hole.Left && x < c.Hole.Right && y >= c.Hole.Top && y < c.Hole.Bottom;
                expected += in && !hole ? '#' : '.';
            }
            expected += '\n';
        }
        EXPECT_EQ(Picture(b, {0, 0, 20, 20}), expected) << c.Name << " width " << c.Width;
    }
}

// A filled shape cut by each side of the clip rectangle in turn keeps exactly its pixels inside
// the clip and nothing outside.
TEST(CanvasEdges, FilledShapesClipAtEverySide) {
    const TRect clip{5, 6, 15, 14};
    struct Side {
        const char* Name;
        TRect Area;  // crosses this side of the clip
    };
    const Side sides[] = {
        {"left", {2, 8, 8, 11}},     {"top", {7, 3, 11, 9}},   {"right", {12, 8, 18, 11}},
        {"bottom", {7, 11, 11, 18}}, {"corner", {1, 2, 7, 8}}, {"all", {0, 0, 20, 20}},
    };
    struct Shape {
        const char* Name;
        std::function<void(TCanvas&, const TRect&)> Draw;
    };
    const Shape shapes[] = {
        {"fill rect", [](TCanvas& c, const TRect& r) { c.FillRect(r); }},
        {"rectangle", [](TCanvas& c, const TRect& r) { c.Rectangle(r); }},
        {"polygon",
         [](TCanvas& c, const TRect& r) {
             c.Pen().Style = psClear;
             c.Polygon(
                 {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
         }},
        {"triangle",
         [](TCanvas& c, const TRect& r) {
             c.Polygon({{r.Left, r.Top}, {r.Right, (r.Top + r.Bottom) / 2}, {r.Left, r.Bottom}});
         }},
    };
    for (const Shape& shape : shapes) {
        for (const Side& side : sides) {
            TPixelBuffer whole(20, 20), clipped(20, 20);
            TCanvas a(whole), b(clipped);
            a.Brush().Color = b.Brush().Color = clRed;
            shape.Draw(a, side.Area);
            b.IntersectClipRect(clip);
            shape.Draw(b, side.Area);
            // The shape really reaches both sides of the clip edge.
            const int inside = InkCount(whole, clip);
            ASSERT_GT(inside, 0) << shape.Name << " " << side.Name;
            ASSERT_GT(InkCount(whole, {0, 0, 20, 20}), inside) << shape.Name << " " << side.Name;
            TPixelBuffer expected(20, 20);
            for (int y = clip.Top; y < clip.Bottom; ++y)
                for (int x = clip.Left; x < clip.Right; ++x) expected.Row(y)[x] = whole.Row(y)[x];
            EXPECT_EQ(Picture(clipped, {0, 0, 20, 20}), Picture(expected, {0, 0, 20, 20}))
                << shape.Name << " " << side.Name;
        }
    }
}

}  // namespace
