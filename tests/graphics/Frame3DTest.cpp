#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"
#include "graphics/Frame3D.h"

namespace {

TEST(Frame3D, LightEdgesTopLeftDarkBottomRightAndTheRectShrinks) {
    TBitmap bmp(8, 7);
    TCanvas& canvas = bmp.Canvas();
    canvas.Pen().Color = clLime;
    canvas.Pen().Width = 3;
    canvas.Pen().Style = psDot;
    TRect r{1, 1, 7, 6};
    Frame3D(canvas, r, clRed, clBlue, 2);
    EXPECT_EQ(Picture(bmp.Buffer(), {0, 0, 8, 7}), Rows("........",  //
                                                        ".rrrrrb.",  //
                                                        ".rrrrbb.",  //
                                                        ".rr..bb.",  //
                                                        ".rbbbbb.",  //
                                                        ".bbbbbb.",  //
                                                        "........"));
    EXPECT_EQ(r, (TRect{3, 3, 5, 4}));
    // The pen is left as the frame drew with it, one pixel solid.
    EXPECT_EQ(canvas.Pen().Width, 1);
    EXPECT_EQ(canvas.Pen().Style, psSolid);
}

TEST(Frame3D, StopsWhenTheRectIsUsedUp) {
    TBitmap bmp(6, 6);
    TRect r{1, 1, 4, 4};
    Frame3D(bmp.Canvas(), r, clRed, clBlue, 5);
    EXPECT_EQ(Picture(bmp.Buffer(), {0, 0, 6, 6}), Rows("......",  //
                                                        ".rrb..",  //
                                                        ".rbb..",  //
                                                        ".bbb..",  //
                                                        "......",  //
                                                        "......"));
    EXPECT_TRUE(r.IsEmpty());
    TRect empty{2, 2, 2, 5};
    Frame3D(bmp.Canvas(), empty, clBlack, clBlack, 1);
    EXPECT_EQ(InkCount(bmp.Buffer(), {0, 0, 6, 6}), 9);
    EXPECT_EQ(empty, (TRect{2, 2, 2, 5}));
}

}  // namespace
