#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "widgets/WsCanvasProbe.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"
#include "widgets/WsPanelBorders.h"

namespace {

constexpr TColor kShadow = RGB(160, 160, 160);
constexpr TColor kHighlight = RGB(255, 255, 255);

// The surface as rows of letters, one per pixel, from a legend of colours; '.' is untouched
// and '?' any colour not in the legend.
std::vector<std::string> Picture(TProbeSurface& s, int w, int h,
                                 const std::vector<std::pair<char, TColor>>& legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const TColor c = s.At(x, y);
            char letter = c == kUntouched ? '.' : '?';
            for (auto [l, color] : legend)
                if (color == c) letter = l;
            row += letter;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(WsEdges, UpperLeftThenLowerRightLines) {
    TProbeSurface s(6, 5);
    EXPECT_EQ(DrawEdges(s.Canvas(), Rect(0, 0, 6, 5), clRed, AllSides, clBlue), Rect(1, 1, 5, 4));
    EXPECT_EQ(Picture(s, 6, 5, {{'r', clRed}, {'b', clBlue}}),
              (std::vector<std::string>{"rrrrrb", "r....b", "r....b", "r....b", "bbbbbb"}));
}

TEST(WsEdges, OnlyChosenSidesDrawAndMove) {
    TProbeSurface s(5, 4);
    const TRect r = DrawEdges(s.Canvas(), Rect(0, 0, 5, 4), clRed, {sdTop, sdRight}, clBlue);
    EXPECT_EQ(r, Rect(0, 1, 4, 4));
    EXPECT_EQ(Picture(s, 5, 4, {{'r', clRed}, {'b', clBlue}}),
              (std::vector<std::string>{"rrrrb", "....b", "....b", "....b"}));
}

TEST(WsEdges, NoneColoursDrawNothingButStillMoveIn) {
    TProbeSurface s(5, 5);
    EXPECT_EQ(DrawEdges(s.Canvas(), Rect(0, 0, 5, 5), clNone, {sdLeft, sdBottom}, clNone),
              Rect(1, 0, 5, 4));
    EXPECT_EQ(DrawEdges(s.Canvas(), Rect(0, 0, 5, 5), clNone, AllSides, clRed), Rect(1, 1, 4, 4));
    EXPECT_EQ(Picture(s, 5, 5, {{'r', clRed}}),
              (std::vector<std::string>{"....r", "....r", "....r", "....r", "rrrrr"}));
}

TEST(WsEdges, RingsNestAndAbsurdCountsEndAtOnce) {
    TProbeSurface s(6, 6);
    EXPECT_EQ(DrawEdgeRings(s.Canvas(), Rect(0, 0, 6, 6), clRed, AllSides, 2, clBlue),
              Rect(2, 2, 4, 4));
    EXPECT_EQ(
        Picture(s, 6, 6, {{'r', clRed}, {'b', clBlue}}),
        (std::vector<std::string>{"rrrrrb", "rrrrbb", "rr..bb", "rr..bb", "rbbbbb", "bbbbbb"}));
    EXPECT_EQ(DrawEdgeRings(s.Canvas(), Rect(0, 0, 6, 6), clRed, {sdLeft}, INT_MAX, clBlue),
              Rect(INT_MAX, 0, 6, 6));
    EXPECT_EQ(DrawEdgeRings(s.Canvas(), Rect(0, 0, 6, 6), clRed, AllSides, -3, clBlue),
              Rect(0, 0, 6, 6));
}

TEST(WsEdges, OutlineAndDottedOutline) {
    TProbeSurface s(6, 5);
    EXPECT_EQ(DrawOutline(s.Canvas(), Rect(0, 0, 6, 5), clRed), Rect(1, 1, 5, 4));
    EXPECT_EQ(Picture(s, 6, 5, {{'r', clRed}}),
              (std::vector<std::string>{"rrrrrr", "r....r", "r....r", "r....r", "rrrrrr"}));

    TProbeSurface d(6, 5);
    EXPECT_EQ(DrawDottedOutline(d.Canvas(), Rect(0, 0, 6, 5)), Rect(1, 1, 5, 4));
    EXPECT_EQ(Picture(d, 6, 5, {{'k', clBlack}}),
              (std::vector<std::string>{".k.k.k", "k....k", "......", "k....k", ".k.k.k"}));

    // The dot grid belongs to the rectangle, not to the part that shows.
    TProbeSurface h(4, 4);
    DrawDottedOutline(h.Canvas(), Rect(-1001, -1000, INT_MAX, 2));
    EXPECT_EQ(Picture(h, 4, 4, {{'k', clBlack}}),
              (std::vector<std::string>{"....", "k.k.", "....", "...."}));
}

TEST(WsFrames, GrooveOnTopAndBottomOfAToolBar) {
    TProbeSurface s(673, 10);
    EXPECT_EQ(DrawStyledEdges(s.Canvas(), Rect(0, 0, 673, 10), fsGroove, {sdTop, sdBottom}),
              Rect(0, 2, 673, 8));
    for (int x = 0; x < 673; ++x) {
        ASSERT_EQ(s.At(x, 0), kShadow) << x;
        ASSERT_EQ(s.At(x, 1), kHighlight) << x;
        ASSERT_EQ(s.At(x, 8), kShadow) << x;
        ASSERT_EQ(s.At(x, 9), kHighlight) << x;
        for (int y = 2; y < 8; ++y) ASSERT_EQ(s.At(x, y), kUntouched) << x << "," << y;
    }
}

TEST(WsFrames, GrooveAndBumpCornersJoin) {
    TProbeSurface s(6, 6);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 6, 6), fsGroove), Rect(2, 2, 4, 4));
    EXPECT_EQ(
        Picture(s, 6, 6, {{'S', kShadow}, {'H', kHighlight}}),
        (std::vector<std::string>{"SSSSSH", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", "HHHHHH"}));
    TProbeSurface b(6, 6);
    DrawStyledEdges(b.Canvas(), Rect(0, 0, 6, 6), fsBump, {sdLeft, sdTop});
    EXPECT_EQ(
        Picture(b, 6, 6, {{'S', kShadow}, {'H', kHighlight}}),
        (std::vector<std::string>{"HHHHHH", "HSSSSS", "HS....", "HS....", "HS....", "HS...."}));
}

TEST(WsFrames, TwoRingStylesUseTheirRingTables) {
    struct TCase {
        TFrameStyle Style;
        TColor OuterUl, OuterLr, InnerUl, InnerLr;
    };
    const TCase cases[] = {
        {fsRaised, RGB(227, 227, 227), RGB(105, 105, 105), kHighlight, kShadow},
        {fsLowered, kShadow, kHighlight, RGB(105, 105, 105), RGB(227, 227, 227)},
        {fsButtonUp, kHighlight, RGB(105, 105, 105), RGB(227, 227, 227), kShadow},
        {fsButtonDown, clBlack, clBlack, kShadow, kShadow},
    };
    for (const TCase& c : cases) {
        TProbeSurface s(6, 6);
        EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 6, 6), c.Style), Rect(2, 2, 4, 4));
        EXPECT_EQ(s.At(0, 2), c.OuterUl) << int(c.Style);
        EXPECT_EQ(s.At(5, 2), c.OuterLr) << int(c.Style);
        EXPECT_EQ(s.At(1, 2), c.InnerUl) << int(c.Style);
        EXPECT_EQ(s.At(2, 4), c.InnerLr) << int(c.Style);
        EXPECT_EQ(s.At(2, 2), kUntouched) << int(c.Style);
    }
}

TEST(WsFrames, OneAndTwoLineStyles) {
    TProbeSurface s(8, 8);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 8, 8), fsNone), Rect(0, 0, 8, 8));
    EXPECT_EQ(s.At(0, 0), kUntouched);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 8, 8), fsFlat), Rect(1, 1, 7, 7));
    EXPECT_EQ(s.At(7, 3), RGB(105, 105, 105));
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(1, 1, 7, 7), fsStatus), Rect(2, 2, 6, 6));
    EXPECT_EQ(s.At(1, 3), kShadow);
    EXPECT_EQ(s.At(6, 3), kHighlight);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(2, 2, 6, 6), fsFlatBold), Rect(4, 4, 4, 4));
    EXPECT_EQ(s.At(3, 3), kShadow);
    EXPECT_EQ(s.At(4, 4), kShadow);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 8, 8), static_cast<TFrameStyle>(99)),
              Rect(0, 0, 8, 8));
}

TEST(WsFrames, FlatRoundedCutsTheCorners) {
    TProbeSurface s(5, 5);
    EXPECT_EQ(DrawStyledFrame(s.Canvas(), Rect(0, 0, 5, 5), fsFlatRounded), Rect(1, 1, 4, 4));
    EXPECT_EQ(Picture(s, 5, 5, {{'d', RGB(105, 105, 105)}}),
              (std::vector<std::string>{".ddd.", "dd.dd", "d...d", "dd.dd", ".ddd."}));
}

TEST(WsFrames, TintedFlatOnWhite) {
    TProbeSurface s(5, 4);
    EXPECT_EQ(DrawTintedEdges(s.Canvas(), Rect(0, 0, 5, 4), clWhite, {sdLeft, sdTop}, fsFlat),
              Rect(1, 1, 5, 4));
    EXPECT_EQ(Picture(s, 5, 4, {{'d', Darken(clWhite, 50)}}),
              (std::vector<std::string>{"ddddd", "d....", "d....", "d...."}));
    EXPECT_EQ(Darken(clWhite, 50), RGB(202, 202, 202));
}

TEST(WsFrames, TintedStylesShadeTheBase) {
    const TColor base = RGB(90, 140, 200);
    struct TCase {
        TFrameStyle Style;
        TColor Outer, Inner;  // the left column's outer and inner pixel
    };
    const TCase cases[] = {
        {fsLowered, Darken(base, 50), Darken(base, 100)},
        {fsRaised, Lighten(base, 50), Lighten(base, 100)},
        {fsButtonUp, Lighten(base, 100), Lighten(base, 40)},
        {fsButtonDown, Darken(base, 100), Darken(base, 50)},
        {fsFlatBold, Darken(base, 50), Darken(base, 50)},
        {fsGroove, Darken(base, 50), Lighten(base, 100)},
        {fsBump, Lighten(base, 100), Darken(base, 50)},
        {fsFlatRounded, Lighten(base, 100), Darken(base, 50)},
    };
    for (const TCase& c : cases) {
        TProbeSurface s(8, 8);
        EXPECT_EQ(DrawTintedFrame(s.Canvas(), Rect(0, 0, 8, 8), base, c.Style), Rect(2, 2, 6, 6));
        EXPECT_EQ(s.At(0, 3), c.Outer) << int(c.Style);
        EXPECT_EQ(s.At(1, 3), c.Inner) << int(c.Style);
    }
    TProbeSurface p(4, 4);
    DrawTintedFrame(p.Canvas(), Rect(0, 0, 4, 4), base, fsPopup);
    EXPECT_EQ(p.At(0, 1), Lighten(base, 100));
    EXPECT_EQ(p.At(3, 1), Darken(base, 50));
}

TEST(WsPanelBorders, PanelDefaultsAreARaisedBevel) {
    TProbeSurface s(10, 10);
    EXPECT_EQ(DrawPanelBorders(s.Canvas(), Rect(0, 0, 10, 10), {}), Rect(2, 2, 8, 8));
    EXPECT_EQ(s.At(0, 5), RGB(227, 227, 227));
    EXPECT_EQ(s.At(8, 5), kShadow);
}

TEST(WsPanelBorders, BevelBorderBevelFromTheOutsideIn) {
    TProbeSurface s(14, 14);
    TPanelBorderStyle style;
    style.Outer = fsStatus;
    style.BevelWidth = 2;
    style.BorderWidth = 1;
    style.BorderColor = clRed;
    style.Inner = fsFlat;
    style.FlatColor = clBtnShadow;
    style.FlatColorAdjustment = -20;
    EXPECT_EQ(DrawPanelBorders(s.Canvas(), Rect(0, 0, 14, 14), style), Rect(4, 4, 10, 10));
    EXPECT_EQ(s.At(0, 6), kShadow);
    EXPECT_EQ(s.At(1, 6), kShadow);
    EXPECT_EQ(s.At(12, 6), kHighlight);
    EXPECT_EQ(s.At(2, 6), clRed);
    EXPECT_EQ(s.At(3, 6), Darken(clBtnShadow, 20));
    EXPECT_EQ(s.At(10, 6), Darken(clBtnShadow, 20));
    EXPECT_EQ(s.At(4, 6), kUntouched);
}

TEST(WsPanelBorders, ToolBarGrooveAndFlatStyles) {
    TProbeSurface s(30, 60);
    TPanelBorderStyle bar;
    bar.Outer = fsGroove;
    bar.Sides = {sdTop, sdBottom};
    EXPECT_EQ(DrawPanelBorders(s.Canvas(), Rect(0, 0, 30, 60), bar), Rect(0, 2, 30, 58));
    EXPECT_EQ(s.At(29, 0), kShadow);
    EXPECT_EQ(s.At(0, 59), kHighlight);

    TProbeSurface f(6, 6);
    TPanelBorderStyle flat;
    flat.Outer = fsFlat;
    EXPECT_EQ(DrawPanelBorders(f.Canvas(), Rect(0, 0, 6, 6), flat), Rect(1, 1, 5, 5));
    EXPECT_EQ(f.At(5, 5), RGB(192, 192, 192));  // Lighten(clBtnShadow, 30)
    flat.Outer = fsPopup;
    EXPECT_EQ(DrawPanelBorders(f.Canvas(), Rect(0, 0, 6, 6), flat), Rect(1, 1, 5, 5));
    EXPECT_EQ(f.At(0, 2), kHighlight);
}

TEST(WsPanelBorders, RoundedBorderShowsTheParentInItsCorners) {
    TPanelBorderStyle style;
    style.Outer = fsFlatRounded;
    style.FlatColor = clBlack;
    style.FlatColorAdjustment = 0;
    style.ParentColor = clLime;
    TProbeSurface s(5, 4);
    EXPECT_EQ(DrawPanelBorders(s.Canvas(), Rect(0, 0, 5, 4), style), Rect(1, 1, 4, 3));
    EXPECT_EQ(Picture(s, 5, 4, {{'k', clBlack}, {'g', clLime}}),
              (std::vector<std::string>{"gkkkg", "kk.kk", "kk.kk", "gkkkg"}));
    style.Transparent = true;
    TProbeSurface t(5, 4);
    DrawPanelBorders(t.Canvas(), Rect(0, 0, 5, 4), style);
    EXPECT_EQ(t.At(0, 0), kUntouched);
    EXPECT_EQ(t.At(1, 1), clBlack);
}

TEST(WsControlFrame, WipesTwoPixelsThenDrawsTheFrame) {
    TProbeSurface s(8, 6);
    EXPECT_EQ(DrawControlFrame(s.Canvas(), 8, 6, AllSides, clRed, clWindow, fsFlat),
              Rect(1, 1, 7, 5));
    EXPECT_EQ(Picture(s, 8, 6, {{'r', clRed}, {'w', clWhite}}),
              (std::vector<std::string>{"rrrrrrrr", "rwwwwwwr", "rw....wr", "rw....wr", "rwwwwwwr",
                                        "rrrrrrrr"}));
}

TEST(WsControlFrame, SystemLookOnWindowColourElseTinted) {
    TProbeSurface s(8, 6);
    EXPECT_EQ(DrawControlFrame(s.Canvas(), 8, 6, AllSides, clRed, clWindow, fsLowered),
              Rect(2, 2, 6, 4));
    EXPECT_EQ(s.At(0, 3), kShadow);
    EXPECT_EQ(s.At(1, 3), RGB(105, 105, 105));

    const TColor inner = RGB(200, 220, 240);
    TProbeSurface t(8, 6);
    EXPECT_EQ(DrawControlFrame(t.Canvas(), 8, 6, {sdLeft}, clRed, inner, fsLowered),
              Rect(2, 0, 8, 6));
    EXPECT_EQ(t.At(0, 3), Darken(inner, 50));
    EXPECT_EQ(t.At(1, 3), Darken(inner, 100));
    EXPECT_EQ(t.At(7, 3), inner);  // wiped, not framed
    EXPECT_EQ(t.At(3, 3), kUntouched);

    TProbeSurface b(6, 6);
    DrawControlFrame(b.Canvas(), 6, 6, {sdTop}, clRed, clWindow, fsFlatBold);
    EXPECT_EQ(b.At(3, 1), clRed);
    EXPECT_EQ(b.At(0, 3), clWhite);
}

TEST(WsFrames, EveryOperationLeavesTheCanvasStateAsItWas) {
    TProbeSurface s(20, 20);
    TStateProbe::Dress(s.Canvas(), Rect(0, 0, 20, 20));
    const TStateProbe probe(s.Canvas());
    TCanvas& c = s.Canvas();
    const TRect r = Rect(0, 0, 20, 20);
    DrawEdges(c, r, clRed, AllSides, clBlue);
    // A dotted, inverting pen of the caller does not leak into the lines.
    for (int x = 0; x < 19; ++x) ASSERT_EQ(s.At(x, 0), clRed) << x;
    DrawEdgeRings(c, r, clRed, AllSides, 3, clBlue);
    for (int style = fsNone; style <= fsFlatRounded; ++style) {
        DrawStyledFrame(c, r, static_cast<TFrameStyle>(style));
        DrawTintedFrame(c, r, clTeal, static_cast<TFrameStyle>(style));
        TPanelBorderStyle panel;
        panel.Outer = panel.Inner = static_cast<TFrameStyle>(style);
        panel.BorderWidth = 2;
        DrawPanelBorders(c, r, panel);
        DrawControlFrame(c, 20, 20, AllSides, clRed, clNavy, static_cast<TFrameStyle>(style));
    }
    DrawOutline(c, r, clRed);
    DrawDottedOutline(c, r);
    DrawEdges(c, Rect(5, 5, 2, 2), clRed, AllSides, clBlue);  // inverted: nothing to draw
    probe.ExpectUnchanged(c);
}

}  // namespace
