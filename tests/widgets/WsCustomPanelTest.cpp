#include <gtest/gtest.h>

#include <memory>

#include "framework/WinControl.h"
#include "widgets/WsCanvasProbe.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsCustomPanel.h"
#include "widgets/WsShading.h"

namespace {

// Exposes the painting that a form would run.
class TPanelUnderTest : public TWsCustomPanel {
  public:
    using TWsCustomPanel::TWsCustomPanel;
    void PaintOn(TCanvas& canvas) { PaintWindow(canvas); }
    TRect AlignArea() const {
        TRect r = ClientRect();
        AdjustClientRect(r);
        return r;
    }
    int borderChanges = 0;

  protected:
    void BorderStyleChanged() override { ++borderChanges; }
};

TEST(WsCustomPanel, InsideBordersMatchesWhatIsDrawnForEveryStyle) {
    const TFrameStyle styles[] = {fsNone,    fsFlat,       fsGroove,   fsBump,
                                  fsLowered, fsButtonDown, fsRaised,   fsButtonUp,
                                  fsStatus,  fsPopup,      fsFlatBold, fsFlatRounded};
    const TSides sideSets[] = {AllSides, TSides{sdTop, sdBottom}, TSides{sdLeft}, TSides{}};
    for (TFrameStyle outer : styles) {
        for (TFrameStyle inner : {fsNone, fsLowered, fsStatus}) {
            for (TSides sides : sideSets) {
                TPanelBorderStyle style;
                style.Outer = outer;
                style.Inner = inner;
                style.Sides = sides;
                style.BorderWidth = 2;
                style.BevelWidth = 3;
                TProbeSurface s(40, 30);
                const TRect drawn = DrawPanelBorders(s.Canvas(), Rect(0, 0, 40, 30), style);
                EXPECT_EQ(PanelBordersInside(Rect(0, 0, 40, 30), style), drawn)
                    << "outer " << int(outer) << " inner " << int(inner) << " sides "
                    << int(sides.Bits());
            }
        }
    }
}

TEST(WsCustomPanel, ChildrenAlignInsideTheBorder) {
    TPanelUnderTest panel;
    panel.SetBounds(0, 0, 100, 50);
    EXPECT_EQ(panel.AlignArea(), Rect(2, 2, 98, 48));  // the default raised bevel
    panel.SetBorderOuter(fsGroove);
    panel.SetBorderSides({sdTop, sdBottom});
    panel.SetBorderWidth(1);
    EXPECT_EQ(panel.AlignArea(), Rect(0, 3, 100, 47));
    EXPECT_EQ(panel.borderChanges, 2);  // outer and sides; the width is not a style
    panel.SetBorderSides({sdTop, sdBottom});
    EXPECT_EQ(panel.borderChanges, 2);  // the same value changes nothing
    auto* child = panel.InsertControl(std::make_unique<TWinControl>());
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 3, 100, 47));
}

TEST(WsCustomPanel, BackgroundByVisualStyle) {
    TPanelUnderTest panel;
    panel.SetBounds(0, 0, 30, 20);
    panel.SetBorderOuter(fsNone);
    panel.SetColor(clYellow);
    {
        TProbeSurface s(30, 20);
        panel.PaintOn(s.Canvas());
        EXPECT_EQ(s.At(0, 0), clYellow);
        EXPECT_EQ(s.At(29, 19), clYellow);
    }
    panel.SetVisualStyle(vsGradient);
    {
        TProbeSurface s(30, 20);
        panel.PaintOn(s.Canvas());
        // Shaded from the window colour at the top to the darkened face at the bottom.
        EXPECT_EQ(s.At(5, 19), Darken(clBtnFace, 10));
        EXPECT_NE(s.At(5, 0), s.At(5, 19));
        EXPECT_EQ(s.At(0, 7), s.At(29, 7));
    }
    panel.SetGradientColorStyle(gcsCustom);
    panel.SetGradientColorStart(clRed);
    panel.SetGradientColorStop(clBlue);
    {
        TProbeSurface s(30, 20);
        panel.PaintOn(s.Canvas());
        EXPECT_EQ(s.At(3, 19), clBlue);
        EXPECT_GT(GetRValue(s.At(3, 0)), 200);
    }
}

TEST(WsCustomPanel, ShadingOnlyUnderTheClipLooksLikeTheWhole) {
    for (TGradientDirection direction : {gdHorizontalEnd, gdVerticalCenter}) {
        TPanelUnderTest panel;
        panel.SetBounds(0, 0, 60, 40);
        panel.SetVisualStyle(vsGradient);
        panel.SetGradientDirection(direction);
        TProbeSurface whole(60, 40);
        panel.PaintOn(whole.Canvas());
        TProbeSurface part(60, 40);
        part.Canvas().IntersectClipRect(Rect(17, 9, 23, 31));
        panel.PaintOn(part.Canvas());
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                const bool inside = x >= 17 && x < 23 && y >= 9 && y < 31;
                ASSERT_EQ(part.At(x, y), inside ? whole.At(x, y) : kUntouched)
                    << int(direction) << " at " << x << "," << y;
            }
        }
    }
}

TEST(WsCustomPanel, FlatBorderColourFollowsTheVisualStyle) {
    TPanelUnderTest panel;
    panel.SetBounds(0, 0, 20, 10);
    panel.SetBorderOuter(fsFlat);
    panel.SetFlatColor(clRed);
    panel.SetFlatColorAdjustment(0);
    {
        TProbeSurface s(20, 10);
        panel.PaintOn(s.Canvas());
        EXPECT_EQ(s.At(0, 5), clRed);
    }
    panel.SetVisualStyle(vsGradient);  // brings its own flat colour, unadjusted
    {
        TProbeSurface s(20, 10);
        panel.PaintOn(s.Canvas());
        EXPECT_EQ(s.At(0, 5), Lighten(clBtnShadow, 30));
    }
}

TEST(WsCustomPanel, TransparentPanelShowsItsParent) {
    TWinControl parent;
    parent.SetBounds(0, 0, 50, 50);
    parent.SetColor(clLime);
    auto* panel = parent.InsertControl(std::make_unique<TPanelUnderTest>());
    panel->SetBounds(10, 10, 20, 20);
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clRed);
    panel->SetTransparent(true);
    TProbeSurface s(20, 20);
    panel->PaintOn(s.Canvas());
    EXPECT_EQ(s.At(10, 10), clLime);
}

}  // namespace
