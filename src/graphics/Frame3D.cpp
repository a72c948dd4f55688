#include "graphics/Frame3D.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        canvas.Pen().Color = topLeft;
        canvas.Pen().Width = 1;
        canvas.Pen().Style = psSolid;
        canvas.MoveTo(rect.Left, rect.Bottom - 1);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Top);
        canvas.Pen().Color = bottomRight;
        canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
        canvas.LineTo(rect.Left - 1, rect.Bottom - 1);
        rect = rect.Inflate(-1, -1);
    }
}
