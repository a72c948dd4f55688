#include "app/Artwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

namespace {

constexpr int kSize = 32;
constexpr int kScale = 4;
constexpr int kBig = kSize * kScale;

// A transparent picture four times the size of the one it makes.
struct TSketch {
    explicit TSketch(int size = kSize) : side(size), bitmap(size * kScale, size * kScale, 0) {}
    int side;
    TBitmap bitmap;
    TCanvas& c() { return bitmap.Canvas(); }

    void Fill(TColor color) {
        c().Pen() = TPen{color, 1, psSolid, pmCopy};
        c().Brush() = TBrush{color, bsSolid};
    }
    void Disc(int cx, int cy, int r, TColor color) {
        Fill(color);
        c().Ellipse({cx - r, cy - r, cx + r, cy + r});
    }
    void Poly(const std::vector<TPoint>& points, TColor color) {
        Fill(color);
        c().Polygon(points);
    }
    void Box(const TRect& r, TColor color) {
        Fill(color);
        c().FillRect(r);
    }
    // A ring segment from angle a0 to a1 (degrees, counter-clockwise from east) between
    // radii r0 and r1.
    void Band(int cx, int cy, double r0, double r1, double a0, double a1, TColor color) {
        std::vector<TPoint> pts;
        const int steps = 24;
        for (int i = 0; i <= steps; ++i)
            pts.push_back(Polar(cx, cy, r1, a0 + (a1 - a0) * i / steps));
        for (int i = steps; i >= 0; --i)
            pts.push_back(Polar(cx, cy, r0, a0 + (a1 - a0) * i / steps));
        Poly(pts, color);
    }
    static TPoint Polar(int cx, int cy, double r, double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        return {cx + static_cast<int>(std::lround(r * std::cos(a))),
                cy - static_cast<int>(std::lround(r * std::sin(a)))};
    }
    void Letter(const char* text, TColor color, int height) {
        TFont font;
        font.SetName("Arial");
        font.SetHeight(-height);
        font.SetStyle(fsBold);
        font.SetColor(color);
        c().Font() = font;
        c().Brush().Style = bsClear;
        const TSize size = c().TextExtent(text);
        c().TextOut((kBig - size.cx) / 2, (kBig - size.cy) / 2, text);
    }

    // Averages each 4 x 4 block, weighting colours by their coverage.
    TPixelBuffer Done() const {
        TPixelBuffer out(side, side, 0x00000000);
        const TPixelBuffer& big = bitmap.Buffer();
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                unsigned a = 0, r = 0, g = 0, b = 0;
                for (int dy = 0; dy < kScale; ++dy) {
                    const TPixel* row = big.Row(y * kScale + dy) + x * kScale;
                    for (int dx = 0; dx < kScale; ++dx) {
                        const TPixel p = row[dx];
                        const unsigned pa = p >> 24;
                        a += pa;
                        r += ((p >> 16) & 0xFF) * pa;
                        g += ((p >> 8) & 0xFF) * pa;
                        b += (p & 0xFF) * pa;
                    }
                }
                if (a == 0) continue;
                const TPixel alpha = a / (kScale * kScale);
                out.Row(y)[x] = (alpha << 24) | ((r / a) << 16) | ((g / a) << 8) | (b / a);
            }
        }
        return out;
    }
};

constexpr TColor kBlue = RGB(30, 90, 200);
constexpr TColor kDarkBlue = RGB(15, 50, 130);
constexpr TColor kGreen = RGB(40, 160, 50);
constexpr TColor kDarkGreen = RGB(20, 100, 30);
constexpr TColor kSea = RGB(60, 130, 220);
constexpr TColor kLand = RGB(70, 170, 70);

void Globe(TSketch& s, int cx, int cy, int r) {
    s.Disc(cx, cy, r + 4, kDarkBlue);
    s.Disc(cx, cy, r, kSea);
    // Continents.
    s.Poly({{cx - r / 2, cy - r + 14},
            {cx - 4, cy - r + 22},
            {cx, cy - 10},
            {cx - 14, cy + 4},
            {cx - r + 10, cy - 6},
            {cx - r + 8, cy - r / 2}},
           kLand);
    s.Poly({{cx + 8, cy - 6},
            {cx + r - 10, cy - 14},
            {cx + r - 6, cy + 10},
            {cx + 12, cy + r - 14},
            {cx + 2, cy + 16}},
           kLand);
    s.Poly({{cx - 20, cy + 14}, {cx - 4, cy + 22}, {cx - 10, cy + r - 8}, {cx - 26, cy + r - 20}},
           kLand);
    // A meridian and the equator, faintly.
    s.c().Pen() = TPen{RGB(180, 210, 250), 3, psSolid, pmCopy};
    s.c().Brush().Style = bsClear;
    s.c().Ellipse({cx - r / 2, cy - r, cx + r / 2, cy + r});
    s.c().MoveTo(cx - r, cy);
    s.c().LineTo(cx + r, cy);
}

TPixelBuffer Refresh() {
    TSketch s;
    const int c = kBig / 2;
    s.Band(c, c, 34, 52, 100, 250, kGreen);
    s.Band(c, c, 34, 52, 280, 430, kGreen);
    // Arrow heads at the ends of the bands, pointing around the circle.
    for (double end : {250.0, 430.0}) {
        const TPoint outer = TSketch::Polar(c, c, 62, end);
        const TPoint inner = TSketch::Polar(c, c, 24, end);
        const TPoint tip = TSketch::Polar(c, c, 43, end + 28);
        s.Poly({outer, tip, inner}, kDarkGreen);
    }
    s.Band(c, c, 38, 48, 104, 246, RGB(110, 210, 110));
    s.Band(c, c, 38, 48, 284, 426, RGB(110, 210, 110));
    return s.Done();
}

TPixelBuffer Lettered(const char* letter) {
    TSketch s;
    s.Disc(kBig / 2, kBig / 2, 60, kDarkBlue);
    s.Disc(kBig / 2, kBig / 2, 54, kBlue);
    s.Disc(kBig / 2 - 12, kBig / 2 - 16, 26, RGB(70, 130, 230));
    s.Letter(letter, clWhite, 84);
    return s.Done();
}

TPixelBuffer World() {
    TSketch s;
    Globe(s, kBig / 2, kBig / 2, 54);
    return s.Done();
}

TPixelBuffer WorldWithArrow() {
    TSketch s;
    Globe(s, kBig / 2 - 8, kBig / 2 - 8, 48);
    s.Poly({{58, 96}, {92, 96}, {92, 80}, {124, 104}, {92, 128}, {92, 112}, {58, 112}}, kDarkGreen);
    s.Poly({{62, 100}, {96, 100}, {96, 89}, {116, 104}, {96, 119}, {96, 108}, {62, 108}}, kGreen);
    return s.Done();
}

TPixelBuffer Door() {
    TSketch s;
    // Frame, door leaf and knob.
    s.Box({22, 24, 106, 126}, RGB(90, 55, 25));
    s.Box({30, 32, 98, 126}, RGB(170, 110, 55));
    s.Box({38, 40, 90, 78}, RGB(150, 95, 45));
    s.Box({38, 84, 90, 118}, RGB(150, 95, 45));
    s.Disc(84, 82, 6, RGB(240, 200, 60));
    // The green exit sign above it, with a white arrow.
    s.Box({30, 0, 98, 22}, kDarkGreen);
    s.Box({33, 3, 95, 19}, kGreen);
    s.Poly({{44, 9}, {70, 9}, {70, 5}, {84, 11}, {70, 17}, {70, 13}, {44, 13}}, clWhite);
    return s.Done();
}

// The nearest of the sixteen standard colours.
TPixel NearestStandard(TPixel p) {
    static constexpr TColor kStandard[] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    TColor best = kStandard[0];
    int bestDistance = 1 << 30;
    for (TColor c : kStandard) {
        const int dr = r - static_cast<int>(GetRValue(c));
        const int dg = g - static_cast<int>(GetGValue(c));
        const int db = b - static_cast<int>(GetBValue(c));
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = c;
    }
    return ColorToPixel(best);
}

}  // namespace

TPixelBuffer ProgramIconAt(int size) {
    TSketch s(size);
    // Lengths are steps of a grid 128 across. Below 32 pixels the edges of the tile and of the
    // bar fall on whole pixels and the bar keeps a width it can show, so the small icons stay
    // crisp instead of blurring.
    const double unit = size / 32.0;
    const bool small = size < kSize;
    const int side = size * kScale;
    auto exact = [&](double steps) { return static_cast<int>(std::lround(steps * unit)); };
    auto edge = [&](double steps) {
        return small ? kScale * static_cast<int>(std::lround(steps * unit / kScale)) : exact(steps);
    };
    const int margin = edge(8), border = std::max(edge(4), kScale);
    s.Box({margin, margin, side - margin, side - margin}, kDarkBlue);
    s.Box({margin + border, margin + border, side - margin - border, side - margin - border},
          kBlue);
    // The power symbol: an open ring and the bar through its gap.
    const int cx = side / 2;
    s.Band(cx, exact(66), 28 * unit, 40 * unit, 120, 420, clWhite);
    const int gap = small ? 2 * kScale : exact(6), bar = small ? kScale : exact(3);
    s.Box({cx - gap, edge(16), cx + gap, edge(66)}, kBlue);
    s.Box({cx - bar, edge(20), cx + bar, edge(62)}, clWhite);
    return s.Done();
}

TPixelBuffer ProgramIcon(bool sixteenColours) {
    TPixelBuffer icon = ProgramIconAt(kSize);
    if (!sixteenColours) return icon;
    for (int y = 0; y < icon.Height(); ++y)
        for (TPixel* p = icon.Row(y); p != icon.Row(y) + icon.Width(); ++p)
            *p = (*p >> 24) < 128 ? 0x00000000 : NearestStandard(*p);
    return icon;
}

TPixelBuffer ToolbarGlyph(int index) {
    switch (index) {
        case 0:
            return Refresh();
        case 1:
            return Lettered("?");
        case 2:
            return Lettered("i");
        case 3:
            return World();
        case 4:
            return WorldWithArrow();
        case 5:
            return Door();
        default:
            return TPixelBuffer(kSize, kSize, 0x00000000);
    }
}

TPixelBuffer ChartIcon() {
    TSketch s;
    s.Box({8, 116, 124, 122}, RGB(80, 80, 80));
    s.Box({8, 10, 14, 122}, RGB(80, 80, 80));
    const int heights[] = {60, 90, 44, 100};
    const TColor colors[] = {RGB(220, 60, 60), kGreen, RGB(240, 170, 30), kBlue};
    for (int i = 0; i < 4; ++i) {
        const int left = 22 + i * 25;
        s.Box({left, 116 - heights[i], left + 19, 116}, colors[i]);
    }
    return s.Done();
}
