#include <functional>
#include <utility>
#include <vector>

#include "platform/freetype/GlyphCache_p.h"

#include FT_SYNTHESIS_H

namespace {

constexpr std::size_t kEntryOverhead = 96;

// Keeps the rendered bitmap as 8-bit coverage, turned by the quarter turn.
void StoreMask(const FT_GlyphSlot slot, int quarterTurn, TRenderedGlyph& g) {
    const FT_Bitmap& bm = slot->bitmap;
    const int w = static_cast<int>(bm.width);
    const int h = static_cast<int>(bm.rows);
    if (w <= 0 || h <= 0 || !bm.buffer) return;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return;
    std::vector<std::uint8_t> upright(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < w; ++x) {
            upright[static_cast<std::size_t>(y) * w + x] =
                bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0)
                                                    : row[x];
        }
    }
    SetGlyphMask(g, std::move(upright), w, h, slot->bitmap_left, -slot->bitmap_top, quarterTurn);
}

void Render(const TFaceChoice& face, int ppem, int quarterTurn, unsigned glyphIndex,
            TRenderedGlyph& g) {
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

const TRenderedGlyph& TGlyphCache::Get(const TFaceChoice& face, int ppem, int quarterTurn,
                                       unsigned glyphIndex) {
    const int flags = (face.SynthBold ? 1 : 0) | (face.SynthItalic ? 2 : 0) | (quarterTurn << 2);
    const TKey key{face.Face, ppem, flags, glyphIndex};
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return *it->second;
    auto glyph = std::make_unique<TRenderedGlyph>();
    Render(face, ppem, quarterTurn, glyphIndex, *glyph);
    bytes_ += glyph->Bits.size() + kEntryOverhead;
    return *glyphs_.emplace(key, std::move(glyph)).first->second;
}

bool TGlyphCache::Trim() {
    if (bytes_ <= kGlyphCacheBudget) return false;
    glyphs_.clear();
    bytes_ = 0;
    return true;
}
