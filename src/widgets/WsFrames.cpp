#include "widgets/WsFrames.h"

#include "widgets/WsColorMath.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrameColors_p.h"

namespace {

TRect DrawRings(TCanvas& canvas, const TRect& rect, const TFrameRings& rings, TSides sides) {
    const TRect inner = DrawEdges(canvas, rect, rings.OuterUpperLeft, sides, rings.OuterLowerRight);
    return DrawEdges(canvas, inner, rings.InnerUpperLeft, sides, rings.InnerLowerRight);
}

}  // namespace

TRect DrawStyledEdges(TCanvas& canvas, const TRect& rect, TFrameStyle style, TSides sides) {
    switch (style) {
        case fsFlat:
        case fsStatus:
        case fsPopup:
            return DrawEdges(canvas, rect, UpperLeftFrameColors[style], sides,
                             LowerRightFrameColors[style]);
        case fsFlatBold:
            return DrawEdgeRings(canvas, rect, UpperLeftFrameColors[style], sides, 2,
                                 LowerRightFrameColors[style]);
        case fsLowered:
        case fsRaised:
        case fsButtonUp:
        case fsButtonDown:
            return DrawRings(canvas, rect, *FrameRingColors(style), sides);
        case fsGroove:
        case fsBump:
            return DrawGroove(canvas, rect, UpperLeftFrameColors[style],
                              LowerRightFrameColors[style], sides);
        case fsFlatRounded:
            // The flat line with its corners set inward; the corners keep what lies beneath.
            return DrawRoundedRing(canvas, rect, UpperLeftFrameColors[fsFlat], sides, clNone);
        default:
            return rect;
    }
}

TRect DrawStyledFrame(TCanvas& canvas, const TRect& rect, TFrameStyle style) {
    return DrawStyledEdges(canvas, rect, style, AllSides);
}

TRect DrawTintedEdges(TCanvas& canvas, const TRect& rect, TColor base, TSides sides,
                      TFrameStyle style) {
    const TColor d50 = Darken(base, 50);
    const TColor l100 = Lighten(base, 100);
    auto rings = [&](TColor outerUl, TColor outerLr, TColor innerUl, TColor innerLr) {
        return DrawRings(canvas, rect, {outerUl, outerLr, innerUl, innerLr}, sides);
    };
    switch (style) {
        case fsFlat:
        case fsStatus:
        case fsPopup: {
            const TColor ul = style == fsPopup ? l100 : d50;
            const TColor lr = style == fsStatus ? l100 : d50;
            return DrawEdges(canvas, rect, ul, sides, lr);
        }
        case fsGroove:
            return DrawGroove(canvas, rect, d50, l100, sides);
        case fsBump:
        case fsFlatRounded:
            return DrawGroove(canvas, rect, l100, d50, sides);
        case fsLowered:
            return rings(d50, l100, Darken(base, 100), Lighten(base, 50));
        case fsRaised:
            return rings(Lighten(base, 50), Darken(base, 100), l100, d50);
        case fsButtonUp:
            return rings(l100, Darken(base, 100), Lighten(base, 40), d50);
        case fsButtonDown: {
            const TColor d100 = Darken(base, 100);
            return rings(d100, d100, d50, d50);
        }
        case fsFlatBold:
            return DrawEdgeRings(canvas, rect, d50, sides, 2, d50);
        default:
            return rect;
    }
}

TRect DrawTintedFrame(TCanvas& canvas, const TRect& rect, TColor base, TFrameStyle style) {
    return DrawTintedEdges(canvas, rect, base, AllSides, style);
}
