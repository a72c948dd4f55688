#pragma once

#include <string>

#include "graphics/Canvas.h"

// A small area of a buffer as text, one line per row: '.' white, '#' black, 'r' red, 'b' blue,
// 'g' lime, '?' anything else. Lets a test show the exact pixels it expects.
inline std::string Picture(const TPixelBuffer& b, const TRect& area) {
    std::string s;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            switch (RGBFromPixel(b.Row(y)[x])) {
                case clWhite:
                    s += '.';
                    break;
                case clBlack:
                    s += '#';
                    break;
                case clRed:
                    s += 'r';
                    break;
                case clBlue:
                    s += 'b';
                    break;
                case clLime:
                    s += 'g';
                    break;
                default:
                    s += '?';
                    break;
            }
        }
        s += '\n';
    }
    return s;
}

// Rows joined with line ends, so expected pictures read like the picture.
template <class... Lines>
std::string Rows(Lines... rows) {
    return ((std::string(rows) + '\n') + ...);
}

// Pixels in area that are not background.
inline int InkCount(const TPixelBuffer& b, const TRect& area, TPixel background = 0xFFFFFFFF) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) n += b.Row(y)[x] != background;
    return n;
}

// A picture where every pixel differs from its neighbours, so a stray write or a double
// inversion cannot go unnoticed.
inline void PaintNoise(TPixelBuffer& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.Row(y)[x] = 0xFF000000u | (((x * 37u + y * 101u) * 2654435761u >> 8) & 0xFFFFFFu);
}
