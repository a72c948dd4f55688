#include "platform/freetype/FreeTypeFontEngine.h"

#include <array>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/freetype/FaceLibrary_p.h"
#include "platform/freetype/GlyphCache_p.h"

namespace {

class TFreeTypeFontEngine final : public IFontEngine {
  public:
    explicit TFreeTypeFontEngine(const TFreeTypeOptions& options) : faces_(options) {}

    TFontMetrics Metrics(const TFont& font) override { return Resolve(font).Metrics; }
    void Shape(const TFont& font, std::string_view text, bool withMasks,
               std::vector<TShapedChar>& out) override;

  private:
    // A font at one size and turn, with the glyphs its characters map to.
    struct TResolved {
        TFontMetrics Metrics;
        TFaceChoice Primary;
        TFaceChoice Fallback;
        int Ppem = 0;
        int QuarterTurn = 0;
        std::array<const TRenderedGlyph*, 128> Ascii{};
        std::unordered_map<std::uint32_t, const TRenderedGlyph*> Other;
    };
    using TKey = std::tuple<std::string, int, int, int>;

    TResolved& Resolve(const TFont& font);
    const TRenderedGlyph& Glyph(TResolved& font, std::uint32_t cp);

    TFaceLibrary faces_;
    TGlyphCache cache_;
    std::map<TKey, std::unique_ptr<TResolved>> fonts_;
    TResolved* last_ = nullptr;
    TKey lastKey_;
};

TFreeTypeFontEngine::TResolved& TFreeTypeFontEngine::Resolve(const TFont& font) {
    const int style = font.Style() & (fsBold | fsItalic);
    const int turn = TextQuarterTurn(font.Orientation());
    if (last_ && std::get<1>(lastKey_) == font.Height() && std::get<2>(lastKey_) == style &&
        std::get<3>(lastKey_) == turn && std::get<0>(lastKey_) == font.Name())
        return *last_;
    TKey key{font.Name(), font.Height(), style, turn};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        auto r = std::make_unique<TResolved>();
        r->Metrics = PlatformFontMetrics(font.Name(), font.Height());
        const bool bold = style & fsBold;
        const bool italic = style & fsItalic;
        r->Primary = faces_.Primary(font.Name(), bold, italic);
        r->Fallback = faces_.Fallback(bold, italic);
        r->Ppem = RenderedEm(r->Metrics);
        r->QuarterTurn = turn;
        it = fonts_.emplace(key, std::move(r)).first;
    }
    last_ = it->second.get();
    lastKey_ = std::move(key);
    return *last_;
}

const TRenderedGlyph& TFreeTypeFontEngine::Glyph(TResolved& font, std::uint32_t cp) {
    const TRenderedGlyph** slot = nullptr;
    if (cp < font.Ascii.size()) {
        slot = &font.Ascii[cp];
    } else {
        slot = &font.Other[cp];
    }
    if (*slot) return **slot;
    const TFaceChoice* face = &font.Primary;
    unsigned index = FT_Get_Char_Index(face->Face, cp);
    if (index == 0 && font.Fallback.Face) {
        if (const unsigned other = FT_Get_Char_Index(font.Fallback.Face, cp); other != 0) {
            face = &font.Fallback;
            index = other;
        }
    }
    *slot = &cache_.Get(*face, font.Ppem, font.QuarterTurn, index);
    return **slot;
}

void TFreeTypeFontEngine::Shape(const TFont& font, std::string_view text, bool withMasks,
                                std::vector<TShapedChar>& out) {
    if (cache_.Trim()) {
        for (auto& [key, f] : fonts_) {
            f->Ascii.fill(nullptr);
            f->Other.clear();
        }
    }
    TResolved& r = Resolve(font);
    ShapeByCharacter(text, withMasks, r.Metrics, out,
                     [&](std::uint32_t cp) { return r.Primary.Face ? &Glyph(r, cp) : nullptr; });
}

}  // namespace

std::unique_ptr<IFontEngine> CreateFreeTypeFontEngine(const TFreeTypeOptions& options) {
    return std::make_unique<TFreeTypeFontEngine>(options);
}

void InstallFreeTypeFontEngine() {
    SetFontEngine(CreateFreeTypeFontEngine());
}
