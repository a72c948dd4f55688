#include <algorithm>
#include <cstdint>

#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"
#include "graphics/TextRender_p.h"

namespace {

// Text further out than this lies off every canvas; keeping to it spares the arithmetic below
// from overflowing.
constexpr int kMaxCoordinate = 1 << 29;

int LineWidth(const std::vector<TShapedChar>& chars) {
    std::int64_t width = 0;
    for (const auto& c : chars) width += c.Advance;
    return static_cast<int>(std::min<std::int64_t>(width, kMaxCoordinate));
}

// The text-space position of the anchor's text box for the alignment flags.
TPoint AlignedBoxOrigin(unsigned align, int width, const TFontMetrics& m) {
    TPoint p;
    if ((align & taCenter) == taCenter)
        p.X = -width / 2;
    else if (align & taRight)
        p.X = -width;
    if ((align & taBaseline) == taBaseline)
        p.Y = -m.Ascent;
    else if (align & taBottom)
        p.Y = -m.Height;
    return p;
}

// TextOut's work; the background box is left out when the caller has painted one already.
// Returns the advance width.
int DrawTextLine(TCanvas& canvas, int x, int y, std::string_view text, bool opaque) {
    const TFont& font = canvas.Font();
    IFontEngine& engine = FontEngine();
    const TFontMetrics m = engine.Metrics(font);
    std::vector<TShapedChar>& chars = ShapeBuffer();
    engine.Shape(font, text, true, chars);
    const int width = LineWidth(chars);
    const TTextFrame frame({std::clamp(x, -kMaxCoordinate, kMaxCoordinate),
                            std::clamp(y, -kMaxCoordinate, kMaxCoordinate)},
                           TextQuarterTurn(font.Orientation()));
    const TPoint box = AlignedBoxOrigin(canvas.TextAlign(), width, m);
    if (opaque && canvas.Brush().Style != bsClear)
        canvas.FillRect(frame.Box(box.X, box.Y, box.X + width, box.Y + m.Height));
    const TColor color = ColorToRGB(font.Color());
    DrawGlyphs(canvas, frame, chars, 0, chars.size(), box.X, box.Y + m.Ascent, false, m, color);
    const TTextBars bars = TextBars(m);
    if (font.Style() & fsUnderline)
        DrawTextBar(canvas, frame, box.X, box.X + width, box.Y + bars.Underline, bars.Thickness,
                    color);
    if (font.Style() & fsStrikeOut)
        DrawTextBar(canvas, frame, box.X, box.X + width, box.Y + bars.StrikeOut, bars.Thickness,
                    color);
    return width;
}

}  // namespace

// The pen moves on past the text, so that consecutive pieces can follow one another.
void TCanvas::TextOut(int x, int y, std::string_view text) {
    const std::int64_t end = std::int64_t{x} + DrawTextLine(*this, x, y, text, true);
    MoveTo(static_cast<int>(std::min<std::int64_t>(end, INT32_MAX)), y);
}

int TCanvas::TextWidth(std::string_view text) const {
    std::vector<TShapedChar>& chars = ShapeBuffer();
    FontEngine().Shape(Font(), text, false, chars);
    return LineWidth(chars);
}

int TCanvas::TextHeight(std::string_view) const {
    return FontEngine().Metrics(Font()).Height;
}

TSize TCanvas::TextExtent(std::string_view text) const {
    return {TextWidth(text), TextHeight(text)};
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
    TCanvasStateSaver saver(*this);
    if (Brush().Style != bsClear) FillRect(r);
    IntersectClipRect(r);
    DrawTextLine(*this, x, y, text, false);
}
