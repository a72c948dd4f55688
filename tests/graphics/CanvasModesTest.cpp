#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"

namespace {

struct Shape {
    const char* Name;
    std::function<void(TCanvas&)> Draw;
    int Pixels;  // how many pixels one drawing changes in the 30 x 30 test picture
};

// Shapes whose parts overlap (corners, joints, fill under outline, a path crossing itself).
std::vector<Shape> Shapes() {
    return {
        {"rectangle", [](TCanvas& c) { c.Rectangle(3, 4, 20, 15); }, 17 * 11},
        {"rectangle clear brush",
         [](TCanvas& c) {
             c.Brush().Style = bsClear;
             c.Rectangle(3, 4, 20, 15);
         },
         2 * 17 + 2 * 9},
        {"one pixel wide rectangle", [](TCanvas& c) { c.Rectangle(5, 5, 6, 12); }, 7},
        {"wide rectangle",
         [](TCanvas& c) {
             c.Pen().Width = 4;
             c.Rectangle(5, 5, 20, 22);
         },
         -1},
        {"dotted rectangle",
         [](TCanvas& c) {
             c.Pen().Style = psDot;
             c.Rectangle(5, 5, 6, 12);
         },
         4},
        {"polygon",
         [](TCanvas& c) {
             c.Polygon({{2, 2}, {25, 5}, {6, 27}, {20, 25}});
         },
         -1},
        {"star",
         [](TCanvas& c) {
             c.Polygon({{15, 1}, {23, 27}, {1, 10}, {28, 10}, {6, 27}});
         },
         -1},
        {"crossing polyline",
         [](TCanvas& c) {
             c.Pen().Width = 3;
             c.Polyline({{2, 2}, {27, 27}, {27, 2}, {2, 27}, {2, 2}});
         },
         -1},
        {"ellipse",
         [](TCanvas& c) {
             c.Ellipse({2, 3, 27, 20});
         },
         -1},
        {"wide ellipse",
         [](TCanvas& c) {
             c.Pen().Width = 5;
             c.Ellipse({2, 3, 27, 20});
         },
         -1},
        {"line",
         [](TCanvas& c) {
             c.MoveTo(0, 29);
             c.LineTo(29, 3);
         },
         29},
    };
}

TEST(CanvasModes, InvertingTwiceRestoresThePictureForEveryShape) {
    for (TPenMode mode : {pmNot, pmXor, pmNotXor}) {
        for (const Shape& shape : Shapes()) {
            TPixelBuffer picture(30, 30);
            PaintNoise(picture);
            const TPixelBuffer original = picture;
            TCanvas c(picture);
            c.Pen().Mode = mode;
            c.Pen().Color = clRed;
            c.Brush().Color = clBlue;
            {
                TCanvasStateSaver saver(c);
                shape.Draw(c);
            }
            int differing = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 30; ++x) differing += picture.Row(y)[x] != original.Row(y)[x];
            EXPECT_GT(differing, 0) << shape.Name << " mode " << int(mode);
            if (shape.Pixels > 0) {
                EXPECT_EQ(differing, shape.Pixels) << shape.Name;
            }
            {
                TCanvasStateSaver saver(c);
                shape.Draw(c);
            }
            EXPECT_EQ(std::memcmp(picture.Data(), original.Data(), 30 * 30 * sizeof(TPixel)), 0)
                << shape.Name << " mode " << int(mode);
        }
    }
}

TEST(CanvasModes, NotInvertsEveryPixelItTouchesOnce) {
    TPixelBuffer b(8, 6);
    TCanvas c(b);
    c.Brush().Color = clRed;
    c.FillRect({0, 0, 8, 6});
    c.Pen().Mode = pmNot;
    c.Brush().Style = bsClear;
    c.Rectangle(1, 1, 7, 5);
    // Red inverted is aqua; corners inverted twice would show red again.
    for (TPoint p : {TPoint{1, 1}, TPoint{6, 1}, TPoint{6, 4}, TPoint{1, 4}, TPoint{3, 1}}) {
        EXPECT_EQ(c.Pixels(p.X, p.Y), clAqua) << p.X << "," << p.Y;
    }
    EXPECT_EQ(c.Pixels(3, 3), clRed);
}

TEST(CanvasModes, XorCombinesPenColourAndNotXorShowsItOverTheBackground) {
    TPixelBuffer b(4, 1);
    TCanvas c(b);
    c.Brush().Color = RGB(10, 200, 30);
    c.FillRect({0, 0, 4, 1});
    c.Pen().Mode = pmXor;
    c.Pen().Color = RGB(0xF0, 0x0F, 0x55);
    c.MoveTo(0, 0);
    c.LineTo(1, 0);
    EXPECT_EQ(c.Pixels(0, 0), RGB(10 ^ 0xF0, 200 ^ 0x0F, 30 ^ 0x55));

    // The zoom rectangle's recipe: pen colour XOR the inverse of the background, drawn in
    // pmNotXor, appears in the pen's own colour on that background.
    const TColor background = RGB(10, 200, 30), wanted = clRed;
    c.Pen().Mode = pmNotXor;
    c.Pen().Color = wanted ^ (0xFFFFFF - background);
    c.MoveTo(2, 0);
    c.LineTo(3, 0);
    EXPECT_EQ(c.Pixels(2, 0), wanted);
    EXPECT_EQ(c.Pixels(3, 0), background);
}

TEST(CanvasModes, FillRectIgnoresThePenMode) {
    TPixelBuffer b(3, 1);
    TCanvas c(b);
    c.Pen().Mode = pmNot;
    c.Brush().Color = clRed;
    c.FillRect({0, 0, 3, 1});
    c.FillRect({0, 0, 3, 1});
    EXPECT_EQ(c.Pixels(1, 0), clRed);
}

}  // namespace
