#include "graphics/FontEngine.h"

#include "graphics/RenderedGlyph.h"

namespace {

class TTableFontEngine final : public IFontEngine {
  public:
    TFontMetrics Metrics(const TFont& font) override {
        return PlatformFontMetrics(font.Name(), font.Height());
    }
    void Shape(const TFont& font, std::string_view text, bool,
               std::vector<TShapedChar>& out) override {
        ShapeByCharacter(text, false, Metrics(font), out,
                         [](std::uint32_t) -> const TRenderedGlyph* { return nullptr; });
    }
};

std::unique_ptr<IFontEngine>& Installed() {
    static std::unique_ptr<IFontEngine> engine = std::make_unique<TTableFontEngine>();
    return engine;
}

}  // namespace

IFontEngine& FontEngine() {
    return *Installed();
}

void SetFontEngine(std::unique_ptr<IFontEngine> engine) {
    Installed() = engine ? std::move(engine) : std::make_unique<TTableFontEngine>();
}

std::uint32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned b0 = byte(pos);
    int extra = 0;
    std::uint32_t cp = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr std::uint32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += extra + 1;
    return cp;
}

bool IsWideCodePoint(std::uint32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

int TableAdvance(const TFontMetrics& m, std::uint32_t cp) {
    if (cp < 0x20 || cp == 0x7F) return 0;
    return IsWideCodePoint(cp) ? 2 * m.AveCharWidth : m.AveCharWidth;
}

int TextQuarterTurn(int orientation) {
    const int o = ((orientation % 3600) + 3600) % 3600;
    if (o >= 450 && o < 1350) return 900;
    if (o >= 2250 && o < 3150) return 2700;
    return 0;
}
