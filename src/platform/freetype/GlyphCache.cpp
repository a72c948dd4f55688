#include <functional>

#include "platform/freetype/GlyphCache_p.h"

#include FT_SYNTHESIS_H

namespace {

constexpr std::size_t kBudgetBytes = 32u << 20;
constexpr std::size_t kEntryOverhead = 96;

// Copies the rendered bitmap as 8-bit coverage, turned by the quarter turn, and places it
// relative to the pen point in device axes.
void StoreMask(const FT_GlyphSlot slot, int quarterTurn, TCachedGlyph& g) {
    const FT_Bitmap& bm = slot->bitmap;
    const int w = static_cast<int>(bm.width);
    const int h = static_cast<int>(bm.rows);
    if (w <= 0 || h <= 0 || !bm.buffer) return;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return;
    const auto coverage = [&](int x, int y) -> std::uint8_t {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        return row[x];
    };
    const bool turned = quarterTurn != 0;
    g.Mask.Width = turned ? h : w;
    g.Mask.Height = turned ? w : h;
    g.Mask.Pitch = g.Mask.Width;
    g.Bits.assign(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int row = y;
            int col = x;
            if (quarterTurn == 900) {
                row = w - 1 - x;
                col = y;
            } else if (quarterTurn == 2700) {
                row = x;
                col = h - 1 - y;
            }
            g.Bits[static_cast<std::size_t>(row) * g.Mask.Pitch + col] = coverage(x, y);
        }
    }
    const int left = slot->bitmap_left;
    const int top = slot->bitmap_top;
    if (quarterTurn == 900) {
        g.Mask.Left = -top;
        g.Mask.Top = -(left + w);
    } else if (quarterTurn == 2700) {
        g.Mask.Left = top - h;
        g.Mask.Top = left;
    } else {
        g.Mask.Left = left;
        g.Mask.Top = -top;
    }
    g.Mask.Bits = g.Bits.data();
    g.HasInk = true;
}

void Render(const TFaceChoice& face, int ppem, int quarterTurn, unsigned glyphIndex,
            TCachedGlyph& g) {
    FT_Face f = face.Face;
    if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(ppem)) != 0) return;
    if (FT_Load_Glyph(f, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) !=
        0)
        return;
    if (face.SynthItalic) FT_GlyphSlot_Oblique(f->glyph);
    if (face.SynthBold) FT_GlyphSlot_Embolden(f->glyph);
    g.Advance = static_cast<int>((f->glyph->advance.x + 32) >> 6);
    if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_LIGHT) != 0) return;
    StoreMask(f->glyph, quarterTurn, g);
}

}  // namespace

std::size_t TGlyphCache::TKeyHash::operator()(const TKey& k) const {
    std::size_t h = std::hash<const void*>()(k.Face);
    h = h * 1000003u ^ static_cast<std::size_t>(k.Ppem);
    h = h * 1000003u ^ static_cast<std::size_t>(k.Flags);
    return h * 1000003u ^ k.Glyph;
}

const TCachedGlyph& TGlyphCache::Get(const TFaceChoice& face, int ppem, int quarterTurn,
                                     unsigned glyphIndex) {
    const int flags = (face.SynthBold ? 1 : 0) | (face.SynthItalic ? 2 : 0) | (quarterTurn << 2);
    const TKey key{face.Face, ppem, flags, glyphIndex};
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return *it->second;
    auto glyph = std::make_unique<TCachedGlyph>();
    Render(face, ppem, quarterTurn, glyphIndex, *glyph);
    bytes_ += glyph->Bits.size() + kEntryOverhead;
    return *glyphs_.emplace(key, std::move(glyph)).first->second;
}

bool TGlyphCache::Trim() {
    if (bytes_ <= kBudgetBytes) return false;
    glyphs_.clear();
    bytes_ = 0;
    return true;
}
