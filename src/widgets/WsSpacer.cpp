#include "widgets/WsSpacer.h"

#include "base/StoreChanged.h"

TWsSpacer::TWsSpacer(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 8, 25);
    SetControlStyle(0);
}

void TWsSpacer::SetGrooved(bool grooved) {
    if (StoreChanged(grooved_, grooved)) Invalidate();
}

void TWsSpacer::SetOrientation(TOrientation orientation) {
    if (!StoreChanged(orientation_, orientation)) return;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TWsSpacer::Paint(TCanvas& canvas) {
    if (!grooved_) return;
    canvas.Pen() = TPen{clBtnShadow, 1, psSolid, pmCopy};
    if (Height() >= Width()) {
        const int x = Width() / 2 - 1;
        canvas.MoveTo(x, 1);
        canvas.LineTo(x, Height());
        canvas.Pen().Color = clBtnHighlight;
        canvas.MoveTo(x + 1, 1);
        canvas.LineTo(x + 1, Height());
    } else {
        const int y = Height() / 2 - 1;
        canvas.MoveTo(1, y);
        canvas.LineTo(Width(), y);
        canvas.Pen().Color = clBtnHighlight;
        canvas.MoveTo(1, y + 1);
        canvas.LineTo(Width(), y + 1);
    }
}
