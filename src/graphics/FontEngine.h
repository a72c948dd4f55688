#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "graphics/Font.h"
#include "graphics/FontMetrics.h"

// An 8-bit coverage mask of one glyph, already turned for the font's orientation. Left/Top place
// its top-left pixel relative to the glyph's pen point on the baseline, in device axes.
struct TGlyphMask {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Pitch = 0;
    const std::uint8_t* Bits = nullptr;
};

// One code point of laid-out text. Advance is along the baseline in whole pixels; Mask is null
// for glyphs without ink (spaces, control characters, or no face at all).
struct TShapedChar {
    std::uint32_t Offset = 0;  // byte offset in the UTF-8 text
    std::uint32_t CodePoint = 0;
    int Advance = 0;
    const TGlyphMask* Mask = nullptr;
};

// The text services the canvas draws with. Masks handed out stay valid until the next call.
class IFontEngine {
  public:
    virtual ~IFontEngine() = default;
    virtual TFontMetrics Metrics(const TFont& font) = 0;
    // Lays the text out on one line without kerning; masks only when asked for.
    virtual void Shape(const TFont& font, std::string_view text, bool withMasks,
                       std::vector<TShapedChar>& out) = 0;
};

// The engine in use; without one installed, text measures from the metric table and draws
// nothing.
IFontEngine& FontEngine();
void SetFontEngine(std::unique_ptr<IFontEngine> engine);

// Decodes the code point at pos and advances pos; a malformed byte yields U+FFFD and moves one.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Full-width characters (CJK and the like) take two average widths where no face is at hand.
bool IsWideCodePoint(std::uint32_t cp);

// The quarter turn text is drawn at: 0, 900 (reads bottom to top) or 2700 (top to bottom);
// other angles draw unrotated.
int TextQuarterTurn(int orientation);

// Advance of a character measured from the metric table alone.
int TableAdvance(const TFontMetrics& m, std::uint32_t cp);
