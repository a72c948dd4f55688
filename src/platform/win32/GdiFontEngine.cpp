#include "platform/win32/GdiFontEngine.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "graphics/RenderedGlyph.h"
#include "platform/win32/WinText.h"
#include "platform/win32/Windows_p.h"

namespace {

// A 32-bit top-down DIB section selected into a memory DC, grown as glyphs need.
class TScratch {
  public:
    TScratch() : dc_(CreateCompatibleDC(nullptr)) {}
    ~TScratch() {
        if (dc_) {
            if (old_) SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;

    HDC Dc() const { return dc_; }
    // A black surface at least w × h; false when the system has no memory for it.
    bool Clear(int w, int h) {
        if (!dc_) return false;
        if (w > width_ || h > height_) {
            const int nw = std::max(w, width_);
            const int nh = std::max(h, height_);
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = nw;
            info.bmiHeader.biHeight = -nh;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (!bitmap || !bits) return false;
            HGDIOBJ previous = SelectObject(dc_, bitmap);
            if (!old_) old_ = previous;
            if (bitmap_) DeleteObject(bitmap_);
            bitmap_ = bitmap;
            bits_ = static_cast<std::uint32_t*>(bits);
            width_ = nw;
            height_ = nh;
        }
        GdiFlush();
        for (int y = 0; y < h; ++y)
            std::memset(bits_ + static_cast<std::size_t>(y) * width_, 0, sizeof(std::uint32_t) * w);
        return true;
    }
    // Grey level of a pixel after GDI has finished drawing.
    std::uint8_t Coverage(int x, int y) const {
        const std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
        return static_cast<std::uint8_t>(
            std::max({p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu}));
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Keeps the ink of the drawn character, turned by the quarter turn, placed relative to the
// pen point (penX, baseline).
void StoreMask(const TScratch& s, int w, int h, int penX, int baseline, int quarterTurn,
               TRenderedGlyph& g) {
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (s.Coverage(x, y) == 0) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return;
    const int iw = x1 - x0 + 1;
    const int ih = y1 - y0 + 1;
    std::vector<std::uint8_t> upright(static_cast<std::size_t>(iw) * ih);
    for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < iw; ++x)
            upright[static_cast<std::size_t>(y) * iw + x] = s.Coverage(x0 + x, y0 + y);
    }
    SetGlyphMask(g, std::move(upright), iw, ih, x0 - penX, y0 - baseline, quarterTurn);
}

std::wstring Utf16Of(std::uint32_t cp) {
    std::wstring s;
    if (cp >= 0x10000) {
        cp -= 0x10000;
        s += static_cast<wchar_t>(0xD800 + (cp >> 10));
        s += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
        s += static_cast<wchar_t>(cp);
    }
    return s;
}

class TGdiFontEngine final : public IFontEngine {
  public:
    TFontMetrics Metrics(const TFont& font) override { return Resolve(font).Metrics; }
    void Shape(const TFont& font, std::string_view text, bool withMasks,
               std::vector<TShapedChar>& out) override;

  private:
    struct TResolved {
        TResolved() = default;
        TResolved(const TResolved&) = delete;
        TResolved& operator=(const TResolved&) = delete;
        ~TResolved() {
            if (Font) DeleteObject(Font);
        }
        TFontMetrics Metrics;
        HFONT Font = nullptr;
        int QuarterTurn = 0;
        std::unordered_map<std::uint32_t, TRenderedGlyph> Glyphs;
    };
    using TKey = std::tuple<std::string, int, int, int>;

    TResolved& Resolve(const TFont& font);
    const TRenderedGlyph& Glyph(TResolved& font, std::uint32_t cp);

    TScratch scratch_;
    std::map<TKey, std::unique_ptr<TResolved>> fonts_;
    std::size_t bytes_ = 0;
};

TGdiFontEngine::TResolved& TGdiFontEngine::Resolve(const TFont& font) {
    const int style = font.Style() & (fsBold | fsItalic);
    const int turn = TextQuarterTurn(font.Orientation());
    TKey key{font.Name(), font.Height(), style, turn};
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return *it->second;
    auto r = std::make_unique<TResolved>();
    r->Metrics = PlatformFontMetrics(font.Name(), font.Height());
    r->QuarterTurn = turn;
    LOGFONTW lf{};
    lf.lfHeight = -RenderedEm(r->Metrics);
    lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & fsItalic) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = WideFromUtf8(font.Name()).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    r->Font = CreateFontIndirectW(&lf);
    return *fonts_.emplace(std::move(key), std::move(r)).first->second;
}

const TRenderedGlyph& TGdiFontEngine::Glyph(TResolved& font, std::uint32_t cp) {
    auto [it, fresh] = font.Glyphs.try_emplace(cp);
    TRenderedGlyph& g = it->second;
    if (!fresh) return g;
    HDC dc = scratch_.Dc();
    if (!font.Font || !dc) {
        g.Advance = TableAdvance(font.Metrics, cp);
        return g;
    }
    SelectObject(dc, font.Font);
    const std::wstring s = Utf16Of(cp);
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size)) {
        g.Advance = TableAdvance(font.Metrics, cp);
        return g;
    }
    g.Advance = size.cx;
    // Room on every side for overhangs (italics, accents, linked faces with taller ink).
    const int em = RenderedEm(font.Metrics);
    const int pad = em / 2 + 2;
    const int w = std::max(g.Advance, 0) + em + 2 * pad;
    const int h = 2 * em + 2 * pad;
    if (!scratch_.Clear(w, h)) return g;
    const int baseline = pad + em;
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, pad, baseline, 0, nullptr, s.c_str(), static_cast<UINT>(s.size()), nullptr);
    GdiFlush();
    StoreMask(scratch_, w, h, pad, baseline, font.QuarterTurn, g);
    bytes_ += g.Bits.size() + sizeof(TRenderedGlyph) + 32;
    return g;
}

void TGdiFontEngine::Shape(const TFont& font, std::string_view text, bool withMasks,
                           std::vector<TShapedChar>& out) {
    if (bytes_ > kGlyphCacheBudget) {
        for (auto& [key, f] : fonts_) f->Glyphs.clear();
        bytes_ = 0;
    }
    TResolved& r = Resolve(font);
    ShapeByCharacter(text, withMasks, r.Metrics, out,
                     [&](std::uint32_t cp) { return &Glyph(r, cp); });
}

}  // namespace

std::unique_ptr<IFontEngine> CreateGdiFontEngine() {
    return std::make_unique<TGdiFontEngine>();
}

void InstallGdiFontEngine() {
    SetFontEngine(CreateGdiFontEngine());
}
