#pragma once

#include <memory>
#include <unordered_map>

#include "graphics/RenderedGlyph.h"
#include "platform/freetype/FaceLibrary_p.h"

// Rendered glyphs keyed by face, pixel size, synthesis, quarter turn and glyph index. Entries
// stay put until Trim drops everything once the cache outgrows its budget.
class TGlyphCache {
  public:
    const TRenderedGlyph& Get(const TFaceChoice& face, int ppem, int quarterTurn,
                              unsigned glyphIndex);
    // True when it emptied the cache, which invalidates every glyph handed out.
    bool Trim();
    std::size_t Bytes() const { return bytes_; }

  private:
    struct TKey {
        FT_Face Face;
        int Ppem;
        int Flags;
        unsigned Glyph;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& k) const;
    };

    std::unordered_map<TKey, std::unique_ptr<TRenderedGlyph>, TKeyHash> glyphs_;
    std::size_t bytes_ = 0;
};
