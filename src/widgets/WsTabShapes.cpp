#include "widgets/WsCustomTabControl.h"

std::size_t TabShapePointCount(TWsTabStyle style) {
    switch (style) {
        case tsDoubleSlant:
            return 4;
        case tsCutCorner:
        case tsSingleSlant:
        case tsBackSlant:
            return 5;
        default:
            return 6;
    }
}

std::vector<TPoint> TabShapePoints(TWsTabStyle style, const TRect& r, int cutCornerSize) {
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const int h = r.Height();
    std::vector<TPoint> p;
    switch (style) {
        case tsRoundCorners:
            p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
            break;
        case tsSingleSlant:
            p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - h, T}, {R, B}};
            break;
        case tsDoubleSlant:
            p = {{L, B}, {L + h, T}, {R - h, T}, {R, B}};
            break;
        case tsCutCorner:
            p = {{L, B}, {L, T}, {R - cutCornerSize, T}, {R, T + cutCornerSize}, {R, B}};
            break;
        case tsBackSlant:
            p = {{L, B}, {L + h, T}, {R - 2, T}, {R, T + 2}, {R, B}};
            break;
    }
    // A style value from corrupt layout data has no shape at all.
    if (p.size() != TabShapePointCount(style)) throw EWsTabControlError(kErrorTabShapePoints);
    return p;
}
