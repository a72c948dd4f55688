#include <limits>

#include "HeadlessApp.h"
#include "framework/Image.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "graphics/Bitmap.h"

namespace {

class BasicControls : public HeadlessApp {
  protected:
    TFont Arial(int height, TColor color = clBlack) {
        TFont f;
        f.SetName("Arial");
        f.SetHeight(height);
        f.SetColor(color);
        return f;
    }
    // Columns of a window's rectangle holding a pixel unlike the background.
    static int InkColumns(const THeadlessWindow& w, TRect r, TColor background) {
        int n = 0;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (w.PixelColor(x, y) != background) {
                    ++n;
                    break;
                }
        return n;
    }
};

TEST_F(BasicControls, PanelBevelsBorderAndChildArea) {
    auto form = MakeShownForm(200, 100, clWhite);
    auto* panel = form->InsertControl(std::make_unique<TPanel>());
    panel->SetBounds(10, 10, 60, 40);
    auto* inner = AddProbe(*panel, "inner", Bounds(0, 0, 1, 1), clRed);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1, 1, 58, 38)) << "inside the raised bevel";
    panel->SetBorderWidth(2);
    panel->SetBevelInner(bvLowered);
    EXPECT_EQ(inner->BoundsRect(), Bounds(4, 4, 52, 32));
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(10, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(w.PixelColor(69, 49), ColorToRGB(clBtnShadow));
    EXPECT_EQ(w.PixelColor(11, 11), ColorToRGB(clBtnFace)) << "the border between the bevels";
    EXPECT_EQ(w.PixelColor(13, 13), ColorToRGB(clBtnShadow)) << "the lowered inner bevel";
    EXPECT_EQ(w.PixelColor(20, 20), clRed);

    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(0);
    EXPECT_EQ(inner->BoundsRect(), Bounds(0, 0, 60, 40));
}

TEST_F(BasicControls, PanelBevelWidthsStayWithinAThousandPixels) {
    auto form = MakeShownForm(200, 100, clWhite);
    auto* panel = form->InsertControl(std::make_unique<TPanel>());
    auto* inner = AddProbe(*panel, "inner", Bounds(0, 0, 1, 1), clRed);
    inner->SetAlign(alClient);
    // Two bevels and the border between them: huge widths would overflow the inset.
    panel->SetBevelInner(bvRaised);
    panel->SetBevelWidth(std::numeric_limits<int>::max());
    panel->SetBorderWidth(std::numeric_limits<int>::max());
    EXPECT_EQ(panel->BevelWidth(), 1000);
    EXPECT_EQ(panel->BorderWidth(), 1000);
    EXPECT_LE(inner->Width(), 0);
    host.Advance(1);
    panel->SetBevelWidth(0);
    panel->SetBorderWidth(-5);
    EXPECT_EQ(panel->BevelWidth(), 1);
    EXPECT_EQ(panel->BorderWidth(), 0);
    EXPECT_EQ(inner->BoundsRect(), Bounds(2, 2, 181, 37));
}

TEST_F(BasicControls, PanelPassesFontAndColourToChildrenThatFollowIt) {
    auto form = MakeShownForm();
    form->SetFont(Arial(-11));
    auto* panel = form->InsertControl(std::make_unique<TPanel>());
    auto* follower = panel->InsertControl(std::make_unique<TLabel>());
    auto* own = panel->InsertControl(std::make_unique<TLabel>());
    own->SetFont(Arial(-16, clRed));
    EXPECT_EQ(panel->Font().Height(), -11) << "a new child takes its parent's font";
    panel->SetFont(Arial(-13, clBlue));
    EXPECT_EQ(follower->Font().Height(), -13);
    EXPECT_EQ(own->Font().Height(), -16);
    panel->SetColor(clYellow);
    EXPECT_EQ(follower->Color(), clYellow) << "labels follow the parent's colour";
    own->SetColor(clAqua);
    panel->SetColor(clLime);
    EXPECT_EQ(own->Color(), clAqua);
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clLime);
}

TEST_F(BasicControls, AutoSizedLabelMeasuresItsTextAndKeepsItsRightEdgeWhenRightAligned) {
    auto form = MakeShownForm(300, 100, clWhite);
    auto* label = form->InsertControl(std::make_unique<TLabel>());
    label->SetFont(Arial(-11));
    label->SetLeft(10);
    EXPECT_EQ(label->Height(), 14) << "one line of Arial -11, even when empty";
    label->SetCaption("Windows");
    int wide = label->Width();
    EXPECT_GT(wide, 20);
    label->SetCaption("W");
    EXPECT_LT(label->Width(), wide);
    label->SetFont(Arial(-19));
    EXPECT_EQ(label->Height(), 22);

    auto* right = form->InsertControl(std::make_unique<TLabel>());
    right->SetFont(Arial(-11));
    right->SetAlignment(taRightJustify);
    right->SetBounds(100, 50, 100, 14);
    right->SetCaption("abc");
    EXPECT_EQ(right->Left() + right->Width(), 200);

    auto* fixed = form->InsertControl(std::make_unique<TLabel>());
    fixed->SetAutoSize(false);
    fixed->SetBounds(0, 0, 233, 14);
    fixed->SetCaption("a much longer text than the label is wide, which it must not change");
    EXPECT_EQ(fixed->Width(), 233);
}

TEST_F(BasicControls, LabelPaintsTransparentOrFilledAndClipsToItsBounds) {
    auto form = MakeShownForm(300, 100, clWhite);
    auto* back = AddProbe(*form, "back", Bounds(0, 0, 300, 100), clSilver);
    auto* label = back->InsertControl(std::make_unique<TLabel>());
    label->SetFont(Arial(-11, clMaroon));
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 30, 14);
    label->SetCaption("WWWWWWWWWWWW");
    label->SetColor(clYellow);
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(10, 23), clYellow) << "an opaque label fills its rectangle";
    EXPECT_EQ(InkColumns(w, Rect(40, 10, 120, 24), clSilver), 0) << "text spilled past the label";

    label->SetTransparent(true);
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(10, 23), clSilver);
    EXPECT_GT(InkColumns(w, Rect(10, 10, 40, 24), clSilver), 10);

    label->SetCaption("");
    host.Advance(1);
    EXPECT_EQ(InkColumns(w, Rect(10, 10, 40, 24), clSilver), 0);
}

TEST_F(BasicControls, LabelAcceleratorIsDrawnWithoutTheAmpersand) {
    auto form = MakeShownForm(300, 100, clWhite);
    auto* plain = form->InsertControl(std::make_unique<TLabel>());
    plain->SetFont(Arial(-11));
    plain->SetCaption("&Refresh");
    auto* literal = form->InsertControl(std::make_unique<TLabel>());
    literal->SetFont(Arial(-11));
    literal->SetShowAccelChar(false);
    literal->SetCaption("&Refresh");
    EXPECT_LT(plain->Width(), literal->Width());
}

TEST_F(BasicControls, ImageDrawsItsPictureCentredAndBlended) {
    auto form = MakeShownForm(100, 100, clWhite);
    auto* image = form->InsertControl(std::make_unique<TImage>());
    image->SetBounds(10, 10, 32, 32);
    TPixelBuffer picture(8, 8, PixelFromRGB(clRed));
    picture.Row(0)[0] = 0x00000000;  // fully transparent corner
    image->SetPicture(picture);
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(10, 10), clWhite);
    EXPECT_EQ(w.PixelColor(11, 10), clRed);
    EXPECT_EQ(w.PixelColor(18, 18), clWhite);

    image->SetCenter(true);
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(11, 10), clWhite);
    EXPECT_EQ(w.PixelColor(23, 23), clRed);
    EXPECT_EQ(w.PixelColor(22, 22), clWhite) << "its transparent corner";
    EXPECT_EQ(w.PixelColor(29, 29), clRed);
    EXPECT_EQ(w.PixelColor(30, 30), clWhite);

    image->SetStretch(true);
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(41, 41), clRed);
    EXPECT_EQ(w.PixelColor(13, 13), clWhite) << "the corner scaled by four";
}

TEST_F(BasicControls, ImageListScalesGreysAndIgnoresBadIndexes) {
    TImageList list(nullptr, 16, 16);
    EXPECT_EQ(list.Add(TPixelBuffer(16, 16, PixelFromRGB(clGreen))), 0);
    EXPECT_EQ(list.Add(TPixelBuffer(4, 4, PixelFromRGB(clRed))), 1);
    EXPECT_EQ(list.Image(1).Width(), 16);
    EXPECT_EQ(list.Count(), 2);

    TBitmap target(40, 20, PixelFromRGB(clWhite));
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 20, 0, 1, false);
    list.Draw(target.Canvas(), 0, 0, 7);
    list.Draw(target.Canvas(), 0, 0, -1);
    EXPECT_EQ(target.Canvas().Pixels(5, 5), clGreen);
    TColor grey = target.Canvas().Pixels(25, 5);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_GT(GetRValue(grey), 128u) << "greyed pictures are lightened";

    TPixelBuffer half(2, 1, 0x80FF0000);
    EXPECT_EQ(TImageList::Greyed(half).Row(0)[0] >> 24, 0x80u) << "alpha is kept";
}

}  // namespace
