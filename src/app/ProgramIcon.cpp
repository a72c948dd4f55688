#include "app/ProgramIcon.h"

#include "graphics/Canvas.h"

TPixelBuffer ProgramIcon() {
    TBitmap bitmap(32, 32, TPixel{0});
    TCanvas& c = bitmap.Canvas();
    c.Pen() = TPen{clBlack, 1, psSolid, pmCopy};
    c.Brush() = TBrush{clNavy, bsSolid};
    c.Rectangle(1, 3, 31, 24);
    c.Brush().Color = clTeal;
    c.Rectangle(4, 6, 28, 21);
    c.Brush().Color = clGray;
    c.Rectangle(12, 23, 20, 27);
    c.Rectangle(6, 26, 26, 30);
    // The clock: the program watches running time.
    c.Brush().Color = clWhite;
    c.Ellipse(Rect(10, 7, 22, 20));
    c.Pen().Color = clMaroon;
    c.MoveTo(16, 13);
    c.LineTo(16, 8);
    c.MoveTo(16, 13);
    c.LineTo(20, 13);
    c.SetPixels(27, 22, clLime);
    return bitmap.Buffer();
}
