#include <gtest/gtest.h>

#include <climits>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"

namespace {

// A 4 x 3 picture with a distinct colour per pixel: value 0xFF000000 | (y << 8 | x).
TPixelBuffer Numbered(int w, int h) {
    TPixelBuffer b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Row(y)[x] = 0xFF000000u | (y << 8) | x;
    return b;
}

TEST(CanvasCopy, CopiesOneToOneHonouringOriginsAndTheDestinationClip) {
    TPixelBuffer from = Numbered(10, 10), to(10, 10);
    TCanvas source(from), dest(to);
    source.SetOrigin({1, 1});
    source.IntersectClipRect({0, 0, 1, 1});  // the source's own clip does not matter
    dest.SetOrigin({2, 0});
    dest.IntersectClipRect({0, 0, 3, 10});              // buffer columns 2..4
    dest.CopyRect({0, 1, 4, 3}, source, {2, 3, 6, 5});  // buffer 2..5 x 1..2 <- 3..6 x 4..5
    EXPECT_EQ(to.Row(1)[2], 0xFF000403u);
    EXPECT_EQ(to.Row(2)[4], 0xFF000505u);
    EXPECT_EQ(to.Row(1)[5], 0xFFFFFFFFu);  // clipped
    EXPECT_EQ(InkCount(to, {0, 0, 10, 10}), 6);
}

TEST(CanvasCopy, OverlappingCopyWithinOneCanvasReadsThePictureBeforeTheCopy) {
    TPixelBuffer b = Numbered(8, 8);
    const TPixelBuffer original = b;
    TCanvas c(b);
    c.CopyRect({1, 1, 7, 7}, c, {0, 0, 6, 6});
    c.CopyRect({0, 0, 6, 6}, c, {1, 1, 7, 7});
    // Shifted down-right and back: the overlapped area holds the original again.
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(b.Row(y)[x], original.Row(y)[x]) << x << "," << y;
    EXPECT_EQ(b.Row(6)[6], original.Row(5)[5]);

    // A clip of several bands, copied downwards: a later band must still read the rows an
    // earlier band has already overwritten as they were.
    TPixelBuffer d = Numbered(8, 8);
    TCanvas e(d);
    e.ExcludeClipRect({3, 3, 4, 4});
    e.CopyRect({1, 1, 8, 8}, e, {0, 0, 7, 7});
    EXPECT_EQ(d.Row(3)[2], original.Row(2)[1]);
    EXPECT_EQ(d.Row(4)[4], original.Row(3)[3]);
    EXPECT_EQ(d.Row(3)[3], original.Row(3)[3]);
}

TEST(CanvasCopy, StretchesNearestNeighbourWhenSizesDiffer) {
    TPixelBuffer from = Numbered(2, 2), to(8, 8);
    TCanvas source(from), dest(to);
    dest.CopyRect({0, 0, 4, 6}, source, {0, 0, 2, 2});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(to.Row(y)[x], from.Row(y / 3)[x / 2]) << x << "," << y;
    EXPECT_EQ(InkCount(to, {0, 0, 8, 8}), 24);

    // Shrinking picks sample points spread over the source.
    TPixelBuffer big = Numbered(9, 1), small(3, 1);
    TCanvas(small).CopyRect({0, 0, 3, 1}, TCanvas(big), {0, 0, 9, 1});
    EXPECT_EQ(small.Row(0)[0] & 0xFF, 1u);
    EXPECT_EQ(small.Row(0)[1] & 0xFF, 4u);
    EXPECT_EQ(small.Row(0)[2] & 0xFF, 7u);
}

TEST(CanvasCopy, PixelsOutsideTheSourceLeaveTheDestinationAlone) {
    TPixelBuffer from = Numbered(3, 3), to(6, 6);
    TCanvas source(from), dest(to);
    dest.CopyRect({0, 0, 6, 6}, source, {-2, -2, 4, 4});
    EXPECT_EQ(InkCount(to, {0, 0, 6, 6}), 9);
    EXPECT_EQ(to.Row(2)[2], from.Row(0)[0]);
    EXPECT_EQ(to.Row(1)[1], 0xFFFFFFFFu);
    dest.CopyRect({0, 0, 6, 6}, source, {INT_MIN, INT_MIN, INT_MIN + 6, INT_MIN + 6});
    dest.CopyRect({INT_MAX - 3, 0, INT_MAX, 3}, source, {0, 0, 3, 3});
    EXPECT_EQ(InkCount(to, {0, 0, 6, 6}), 9);
}

TEST(CanvasCopy, DrawCopiesOrBlendsByAlpha) {
    TPixelBuffer image(3, 1);
    image.Row(0)[0] = 0xFFFF0000;  // opaque red
    image.Row(0)[1] = 0x80FF0000;  // half red
    image.Row(0)[2] = 0x00FF0000;  // transparent
    TPixelBuffer b(5, 2);
    TCanvas c(b);
    c.SetOrigin({1, 0});
    c.Draw(0, 0, image, true);
    EXPECT_EQ(c.Pixels(0, 0), clRed);
    EXPECT_EQ(c.Pixels(1, 0), RGB(255, 127, 127));
    EXPECT_EQ(c.Pixels(2, 0), clWhite);
    EXPECT_EQ(b.Row(0)[2] >> 24, 0xFFu);  // over an opaque picture the result stays opaque
    c.Draw(0, 1, image, false);
    EXPECT_EQ(b.Row(1)[3], 0x00FF0000u);  // plain copy keeps the image's alpha
    c.Draw(-3, 0, image, false);          // partly left of the buffer
    EXPECT_EQ(b.Row(0)[0], 0x00FF0000u);
}

TEST(CanvasCopy, BlendMaskMixesByCoverageInsideTheClip) {
    const std::uint8_t mask[] = {0, 128, 255, 99, 255, 255, 255, 99};
    TPixelBuffer b(5, 3);
    TCanvas c(b);
    c.IntersectClipRect({0, 0, 5, 2});
    c.BlendMask(1, 0, 3, 2, mask, 4, clBlack);
    EXPECT_EQ(c.Pixels(1, 0), clWhite);
    EXPECT_EQ(c.Pixels(2, 0), RGB(127, 127, 127));
    EXPECT_EQ(c.Pixels(3, 0), clBlack);
    EXPECT_EQ(c.Pixels(1, 1), clBlack);  // the pitch, not the width, steps to the next row
    EXPECT_EQ(c.Pixels(4, 0), clWhite);
    c.BlendMask(0, 1, 3, 2, mask, 4, clRed);  // its second row falls outside the clip
    EXPECT_EQ(c.Pixels(0, 2), clWhite);
    c.BlendMask(0, 0, 3, 2, nullptr, 4, clRed);
    c.BlendMask(0, 0, 3, 2, mask, 2, clRed);  // pitch too small: refused
    EXPECT_EQ(c.Pixels(0, 0), clWhite);
}

TEST(CanvasCopy, BitmapOwnsItsBufferAndCanvas) {
    TBitmap bitmap(4, 3);
    bitmap.Canvas().Brush().Color = clBlue;
    bitmap.Canvas().FillRect({0, 0, 2, 2});
    EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clBlue);
    bitmap.SetSize(6, 5);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clWhite);
    bitmap.Canvas().FillRect({4, 3, 9, 9});
    EXPECT_EQ(InkCount(bitmap.Buffer(), {0, 0, 6, 5}), 4);
}

}  // namespace
