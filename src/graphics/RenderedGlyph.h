#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "graphics/FontEngine.h"

// Font engines draw no glyph at more pixels to the em than this: bigger masks would only
// exhaust memory.
constexpr int kMaxRenderedEm = 512;
// A font engine empties its glyph cache once the masks in it outgrow this.
constexpr std::size_t kGlyphCacheBudget = 32u << 20;

// The size in pixels to the em that a font engine draws the font's glyphs at.
inline int RenderedEm(const TFontMetrics& m) {
    return std::clamp(m.EmPixels, 1, kMaxRenderedEm);
}

// A glyph as a font engine keeps it: its advance and, when it leaves ink, its mask together with
// the bits the mask points into.
struct TRenderedGlyph {
    int Advance = 0;
    bool HasInk = false;
    TGlyphMask Mask;
    std::vector<std::uint8_t> Bits;
};

// Makes an upright coverage image (w × h bytes, row after row) the glyph's mask, turned by the
// quarter turn (0, 900 or 2700). left and top place the image's top-left pixel relative to the
// pen point of upright text, top being negative above the baseline.
void SetGlyphMask(TRenderedGlyph& glyph, std::vector<std::uint8_t> upright, int w, int h, int left,
                  int top, int quarterTurn);

// Lays text out character by character without kerning. Control characters take no room and
// leave no mark; any other code point takes the glyph glyphOf(codePoint) returns, or, where that
// is null because no face can draw it, the advance the metric table gives it.
template <class GlyphOf>
void ShapeByCharacter(std::string_view text, bool withMasks, const TFontMetrics& table,
                      std::vector<TShapedChar>& out, GlyphOf&& glyphOf) {
    out.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        TShapedChar c;
        c.Offset = static_cast<std::uint32_t>(pos);
        c.CodePoint = NextCodePoint(text, pos);
        if (c.CodePoint < 0x20 || c.CodePoint == 0x7F) {
            // Control characters take no room and leave no mark.
        } else if (const TRenderedGlyph* g = glyphOf(c.CodePoint)) {
            c.Advance = g->Advance;
            if (withMasks && g->HasInk) c.Mask = &g->Mask;
        } else {
            c.Advance = TableAdvance(table, c.CodePoint);
        }
        out.push_back(c);
    }
}
