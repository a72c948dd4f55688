// DrawText: prefix handling, line breaking, ellipsis, alignment and tab expansion.
#include <algorithm>
#include <string>

#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"
#include "graphics/TextRender_p.h"

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct TLine {
    std::size_t First = 0;
    std::size_t Last = 0;
    int Width = 0;
    bool Ellipsis = false;
};

bool IsSpace(std::uint32_t cp) {
    return cp == ' ' || cp == 0x3000;
}
bool IsBreak(std::uint32_t cp) {
    return cp == '\n' || cp == '\r';
}

// "&&" is a literal "&"; "&x" shows x and marks it as the accelerator; a lone "&" at the end
// vanishes.
std::string StripPrefixes(std::string_view text, std::size_t& accel) {
    std::string out;
    out.reserve(text.size());
    accel = kNone;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) break;
        if (text[i] != '&') accel = out.size();
        out += text[i];
    }
    return out;
}

class TTextLayout {
  public:
    TTextLayout(const std::vector<TShapedChar>& chars, const TFontMetrics& m, bool expandTabs)
        : chars_(chars), m_(m), expandTabs_(expandTabs) {}

    int Advance(std::size_t k, int pen) const {
        if (expandTabs_ && chars_[k].CodePoint == '\t') return TabStopAfter(pen, m_) - pen;
        return chars_[k].Advance;
    }
    int Width(std::size_t first, std::size_t last) const {
        int pen = 0;
        for (std::size_t k = first; k < last; ++k) pen += Advance(k, pen);
        return pen;
    }

    std::vector<TLine> Lines(bool singleLine, bool wordBreak, int maxWidth) const {
        std::vector<TLine> lines;
        const std::size_t n = chars_.size();
        for (std::size_t i = 0; i < n;) {
            std::size_t end = i;
            while (end < n && (singleLine || !IsBreak(chars_[end].CodePoint))) ++end;
            if (wordBreak && !singleLine)
                Wrap(i, end, maxWidth, lines);
            else
                lines.push_back({i, end, Width(i, end)});
            i = end;
            if (i < n) {
                const bool crlf =
                    chars_[i].CodePoint == '\r' && i + 1 < n && chars_[i + 1].CodePoint == '\n';
                i += crlf ? 2 : 1;
            }
        }
        return lines;
    }

    // Cuts the line so that it and the ellipsis fit.
    void Shorten(TLine& line, int maxWidth, int ellipsisWidth) const {
        if (line.Width <= maxWidth) return;
        std::size_t last = line.First;
        int pen = 0;
        while (last < line.Last && pen + Advance(last, pen) + ellipsisWidth <= maxWidth)
            pen += Advance(last++, pen);
        line.Last = last;
        line.Width = pen + ellipsisWidth;
        line.Ellipsis = true;
    }

  private:
    // A line may end before k: after spaces, or on either side of a full-width character.
    bool BreakBefore(std::size_t k) const {
        const std::uint32_t prev = chars_[k - 1].CodePoint;
        const std::uint32_t cur = chars_[k].CodePoint;
        return (IsSpace(prev) && !IsSpace(cur)) || IsWideCodePoint(cur) || IsWideCodePoint(prev);
    }

    std::size_t WrapEnd(std::size_t start, std::size_t end, int maxWidth) const {
        int pen = 0;
        std::size_t best = kNone;
        bool overflowed = false;
        for (std::size_t k = start; k < end; ++k) {
            if (k > start && BreakBefore(k)) {
                // A word wider than the line stands alone on it.
                if (overflowed) return k;
                best = k;
            }
            const int adv = Advance(k, pen);
            if (!IsSpace(chars_[k].CodePoint) && pen + adv > maxWidth && k > start) {
                if (best != kNone) return best;
                overflowed = true;
            }
            pen += adv;
        }
        return end;
    }

    void Wrap(std::size_t start, std::size_t end, int maxWidth, std::vector<TLine>& lines) const {
        if (start == end) lines.push_back({start, end, 0});
        while (start < end) {
            const std::size_t next = WrapEnd(start, end, maxWidth);
            std::size_t last = next;
            while (last > start && IsSpace(chars_[last - 1].CodePoint)) --last;
            lines.push_back({start, last, Width(start, last)});
            start = next;
            while (start < end && IsSpace(chars_[start].CodePoint)) ++start;
        }
    }

    const std::vector<TShapedChar>& chars_;
    const TFontMetrics& m_;
    bool expandTabs_;
};

}  // namespace

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned format) {
    TFont font = Font();
    font.SetOrientation(0);
    IFontEngine& engine = FontEngine();
    const TFontMetrics m = engine.Metrics(font);

    std::size_t accel = kNone;
    const std::string shown =
        (format & dtNoPrefix) ? std::string(text) : StripPrefixes(text, accel);
    if (format & dtHidePrefix) accel = kNone;
    const bool singleLine = format & dtSingleLine;
    const bool expandTabs = format & dtExpandTabs;

    std::vector<TShapedChar> chars;
    engine.Shape(font, shown, false, chars);
    const TTextLayout layout(chars, m, expandTabs);
    std::vector<TLine> lines = layout.Lines(singleLine, format & dtWordBreak, r.Width());
    if (format & dtEndEllipsis) {
        engine.Shape(font, kEllipsis, false, ShapeBuffer());
        int ellipsisWidth = 0;
        for (const auto& c : ShapeBuffer()) ellipsisWidth += c.Advance;
        for (auto& line : lines) layout.Shorten(line, r.Width(), ellipsisWidth);
    }
    const int height = static_cast<int>(lines.size()) * m.Height;

    if (format & dtCalcRect) {
        int width = 0;
        for (const auto& line : lines) width = std::max(width, line.Width);
        r.Right = r.Left + width;
        r.Bottom = r.Top + height;
        return height;
    }

    int y = r.Top;
    if (singleLine && (format & dtBottom))
        y = r.Bottom - height;
    else if (singleLine && (format & dtVCenter))
        y = r.Top + (r.Height() - height) / 2;

    TCanvasStateSaver saver(*this);
    if (!(format & dtNoClip)) IntersectClipRect(r);
    const TColor color = ColorToRGB(font.Color());
    const TTextBars bars = TextBars(m);
    const bool glyphs = !(format & dtPrefixOnly);
    const auto offset = [&](std::size_t k) {
        return k < chars.size() ? chars[k].Offset : static_cast<std::uint32_t>(shown.size());
    };
    for (const TLine& line : lines) {
        int x = r.Left;
        if (format & dtRight)
            x = r.Right - line.Width;
        else if (format & dtCenter)
            x = r.Left + (r.Width() - line.Width) / 2;
        const TTextFrame frame({x, y}, 0);
        if (glyphs && Brush().Style != bsClear) FillRect(frame.Box(0, 0, line.Width, m.Height));
        if (glyphs) {
            std::vector<TShapedChar>& run = ShapeBuffer();
            const std::uint32_t from = offset(line.First);
            engine.Shape(font, std::string_view(shown).substr(from, offset(line.Last) - from), true,
                         run);
            const int pen =
                DrawGlyphs(*this, frame, run, 0, run.size(), 0, m.Ascent, expandTabs, m, color);
            if (line.Ellipsis) {
                engine.Shape(font, kEllipsis, true, run);
                DrawGlyphs(*this, frame, run, 0, run.size(), pen, m.Ascent, false, m, color);
            }
            if (font.Style() & fsUnderline)
                DrawTextBar(*this, frame, 0, line.Width, bars.Underline, bars.Thickness, color);
            if (font.Style() & fsStrikeOut)
                DrawTextBar(*this, frame, 0, line.Width, bars.StrikeOut, bars.Thickness, color);
        }
        for (std::size_t k = line.First; accel != kNone && k < line.Last; ++k) {
            if (chars[k].Offset != accel) continue;
            const int u = layout.Width(line.First, k);
            DrawTextBar(*this, frame, u, u + layout.Advance(k, u), bars.Underline, 1, color);
        }
        y += m.Height;
    }
    return y - r.Top;
}
