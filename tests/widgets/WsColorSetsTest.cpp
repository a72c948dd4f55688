#include <gtest/gtest.h>

#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsDisplay.h"

namespace {

class WsColorSets : public ::testing::Test {
  protected:
    TDisplaySettings display;
};

TEST_F(WsColorSets, SystemColoursDeriveFromTheScheme) {
    const TShadeColors panel = PanelShadeColors(display, gcsSystem);
    EXPECT_EQ(panel.Start, clWindow);
    EXPECT_EQ(panel.Stop, RGB(230, 230, 230));
    EXPECT_EQ(PanelFlatColor(display, gcsSystem), RGB(192, 192, 192));

    const TSelectionColors sel = SelectionShadeColors(display, gcsSystem);
    EXPECT_EQ(sel.Frame, clHighlight);
    EXPECT_EQ(sel.Stop, RGB(178, 214, 243));
    EXPECT_EQ(sel.Start, Lighten(sel.Stop, 20));
    EXPECT_NE(sel.Start, sel.Stop);

    const TStatusColors status = StatusShadeColors(display, gcsSystem);
    EXPECT_EQ(status.Dark, RGB(219, 219, 219));
    EXPECT_EQ(status.Light, clWindow);
    EXPECT_EQ(status.Third, RGB(198, 198, 198));
}

TEST_F(WsColorSets, ColoursFollowAChangedSystemScheme) {
    SetSystemColor(15, RGB(200, 100, 50));
    const TColor stop = PanelShadeColors(display, gcsSystem).Stop;
    SetSystemColor(15, RGB(240, 240, 240));
    EXPECT_EQ(stop, Darken(RGB(200, 100, 50), 10));
}

TEST_F(WsColorSets, OfficeStyleWithoutThemesIsTheSystemStyle) {
    ASSERT_FALSE(display.VisualThemesActive);
    display.ThemeColorName = "Metallic";
    EXPECT_EQ(PanelShadeColors(display, gcsMSOffice).Stop,
              PanelShadeColors(display, gcsSystem).Stop);
    EXPECT_EQ(PanelFlatColor(display, gcsMSOffice), PanelFlatColor(display, gcsSystem));
    EXPECT_EQ(SelectionShadeColors(display, gcsMSOffice).Frame, clHighlight);
    EXPECT_EQ(StatusShadeColors(display, gcsMSOffice).Third,
              StatusShadeColors(display, gcsSystem).Third);
}

TEST_F(WsColorSets, FewColourScreensGetSolidSelections) {
    display.FullColor = false;
    const TSelectionColors sel = SelectionShadeColors(display, gcsSystem);
    EXPECT_EQ(sel.Start, sel.Stop);
    EXPECT_EQ(sel.Stop, RGB(178, 214, 243));
}

TEST_F(WsColorSets, PanelFlatColourByVisualStyle) {
    const TFlatColor own{clRed, -15};
    const TFlatColor gradient = PanelBorderFlatColor(display, vsGradient, gcsSystem, own);
    EXPECT_EQ(gradient.Color, RGB(192, 192, 192));
    EXPECT_EQ(gradient.Adjustment, 0);
    for (auto [visual, style] :
         {std::pair{vsGradient, gcsCustom}, {vsClassic, gcsSystem}, {vsWinXP, gcsMSOffice}}) {
        const TFlatColor kept = PanelBorderFlatColor(display, visual, style, own);
        EXPECT_EQ(kept.Color, clRed);
        EXPECT_EQ(kept.Adjustment, -15);
    }
}

TEST_F(WsColorSets, OfficeSchemeTable) {
    EXPECT_EQ(OfficeSchemeColors(0).BarStop, RGB(153, 187, 234));
    EXPECT_EQ(OfficeSchemeColors(1).SelectionFrame, RGB(63, 93, 56));
    EXPECT_EQ(OfficeSchemeColors(2).Flat, RGB(159, 159, 177));
    EXPECT_EQ(OfficeSchemeColors(3).BarStart, OfficeSchemeColors(0).BarStart);
    EXPECT_EQ(OfficeSchemeColors(-1).Flat, OfficeSchemeColors(0).Flat);
}

TEST_F(WsColorSets, ThemeColourNames) {
    EXPECT_EQ(OfficeSchemeFromColorName("HomeStead"), 1);
    EXPECT_EQ(OfficeSchemeFromColorName("metallic"), 2);
    EXPECT_EQ(OfficeSchemeFromColorName("NormalColor"), 0);
    EXPECT_EQ(OfficeSchemeFromColorName(""), 0);
    EXPECT_EQ(OfficeSchemeFromColorName("METALLIC "), 0);
}

TEST_F(WsColorSets, UnderThemesOfficeColoursFollowTheThemeColourName) {
    display.VisualThemesActive = true;
    display.ThemeColorName = "HomeStead";
    const TOfficeScheme& olive = OfficeSchemeColors(1);
    EXPECT_EQ(PanelShadeColors(display, gcsMSOffice).Stop, olive.BarStop);
    EXPECT_EQ(PanelFlatColor(display, gcsMSOffice), olive.Flat);
    EXPECT_EQ(SelectionShadeColors(display, gcsMSOffice).Frame, olive.SelectionFrame);
    EXPECT_EQ(StatusShadeColors(display, gcsMSOffice).Light, olive.BarStart);
    display.ThemeColorName = "";
    EXPECT_EQ(PanelFlatColor(display, gcsMSOffice), OfficeSchemeColors(0).Flat);
    EXPECT_EQ(PanelFlatColor(display, gcsSystem), RGB(192, 192, 192)) << "System ignores themes";
}

}  // namespace
