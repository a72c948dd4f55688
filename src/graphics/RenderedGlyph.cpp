#include "graphics/RenderedGlyph.h"

#include <utility>

void SetGlyphMask(TRenderedGlyph& glyph, std::vector<std::uint8_t> upright, int w, int h, int left,
                  int top, int quarterTurn) {
    TGlyphMask& mask = glyph.Mask;
    if (quarterTurn == 900) {
        // Reads bottom to top: the image turns a quarter anticlockwise about the pen point.
        mask.Width = h;
        mask.Height = w;
        mask.Left = top;
        mask.Top = -(left + w);
    } else if (quarterTurn == 2700) {
        // Reads top to bottom: a quarter clockwise.
        mask.Width = h;
        mask.Height = w;
        mask.Left = -top - h;
        mask.Top = left;
    } else {
        mask.Width = w;
        mask.Height = h;
        mask.Left = left;
        mask.Top = top;
    }
    mask.Pitch = mask.Width;
    if (quarterTurn == 900 || quarterTurn == 2700) {
        glyph.Bits.assign(upright.size(), 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int row = quarterTurn == 900 ? w - 1 - x : x;
                const int col = quarterTurn == 900 ? y : h - 1 - y;
                glyph.Bits[static_cast<std::size_t>(row) * mask.Pitch + col] =
                    upright[static_cast<std::size_t>(y) * w + x];
            }
        }
    } else {
        glyph.Bits = std::move(upright);
    }
    mask.Bits = glyph.Bits.data();
    glyph.HasInk = true;
}
