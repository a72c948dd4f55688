#include "graphics/Colors.h"

#include <array>

namespace {

// The platform's default scheme, by system colour index.
std::array<TColor, 31> gSystemColors = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240),
};

}  // namespace

TColor ColorToRGB(TColor c) {
    if (!IsSystemColor(c)) return c;
    unsigned index = c & 0xFF;
    return index < gSystemColors.size() ? gSystemColors[index] : clBlack;
}

void SetSystemColor(unsigned index, TColor rgb) {
    if (index < gSystemColors.size()) gSystemColors[index] = rgb & 0xFFFFFF;
}
