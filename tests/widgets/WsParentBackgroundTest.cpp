#include <gtest/gtest.h>

#include <memory>

#include "framework/GraphicControl.h"
#include "framework/WinControl.h"
#include "widgets/WsCanvasProbe.h"
#include "widgets/WsParentBackground.h"

namespace {

// A windowless control that shows its parent through itself and marks its own top-left pixel.
class TSeeThrough : public TGraphicControl {
  public:
    int paints = 0;

  protected:
    void Paint(TCanvas& canvas) override {
        ++paints;
        PaintParentBackground(*this, canvas);
        canvas.SetPixels(0, 0, clLime);
    }
};

class TBlueSquare : public TGraphicControl {
  protected:
    void Paint(TCanvas& canvas) override {
        canvas.Brush().Color = clBlue;
        canvas.FillRect(ClientRect());
    }
};

class WsParentBackground : public ::testing::Test {
  protected:
    void SetUp() override {
        parent.SetBounds(0, 0, 50, 40);
        parent.SetColor(clRed);
        square = parent.InsertControl(std::make_unique<TBlueSquare>());
        square->SetBounds(12, 6, 4, 4);
        child = parent.InsertControl(std::make_unique<TWinControl>());
        child->SetBounds(10, 5, 20, 10);
    }

    TWinControl parent;
    TBlueSquare* square = nullptr;
    TWinControl* child = nullptr;
};

TEST_F(WsParentBackground, PaintsWhatLiesUnderTheControl) {
    TProbeSurface s(20, 10);
    TStateProbe::Dress(s.Canvas(), Rect(0, 0, 20, 10));
    const TStateProbe probe(s.Canvas());
    PaintParentBackground(*child, s.Canvas());
    probe.ExpectUnchanged(s.Canvas());
    EXPECT_EQ(s.At(0, 0), clRed);
    EXPECT_EQ(s.At(1, 0), clRed);
    EXPECT_EQ(s.At(2, 1), clBlue);  // the windowless sibling at (12, 6)
    EXPECT_EQ(s.At(5, 4), clBlue);
    EXPECT_EQ(s.At(6, 4), clRed);
    EXPECT_EQ(s.At(19, 9), clRed);
}

TEST_F(WsParentBackground, StopsAtTheParentsClientArea) {
    child->SetBounds(45, 36, 20, 10);
    TProbeSurface s(20, 10);
    PaintParentBackground(*child, s.Canvas());
    EXPECT_EQ(s.At(4, 3), clRed);
    EXPECT_EQ(s.At(5, 3), kUntouched);
    EXPECT_EQ(s.At(4, 4), kUntouched);
}

TEST_F(WsParentBackground, NothingWithoutAParent) {
    TWinControl orphan;
    orphan.SetBounds(0, 0, 5, 5);
    TProbeSurface s(5, 5);
    PaintParentBackground(orphan, s.Canvas(), true);
    EXPECT_EQ(s.At(2, 2), kUntouched);
}

TEST_F(WsParentBackground, AWindowlessControlDoesNotPaintItselfForever) {
    auto* glass = parent.InsertControl(std::make_unique<TSeeThrough>());
    glass->SetBounds(11, 5, 6, 6);
    TProbeSurface s(6, 6);
    PaintParentBackground(*glass, s.Canvas());
    // The parent painted its windowless children, the glass among them, once.
    EXPECT_EQ(glass->paints, 1);
    EXPECT_EQ(s.At(0, 0), clLime);
    EXPECT_EQ(s.At(1, 1), clBlue);
    EXPECT_EQ(s.At(5, 5), clRed);
}

}  // namespace
