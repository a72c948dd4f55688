#include "platform/win32/GdiFontEngine.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/win32/WinText.h"
#include "platform/win32/Windows_p.h"

namespace {

// Larger glyphs are drawn at this size: masks beyond it would only exhaust memory.
constexpr int kMaxRenderedEm = 512;
// The cache is emptied when its masks outgrow this.
constexpr std::size_t kBudgetBytes = 32u << 20;

struct TGdiGlyph {
    int Advance = 0;
    bool HasInk = false;
    TGlyphMask Mask;
    std::vector<std::uint8_t> Bits;
};

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
// pen point (penX, baseline) in device axes.
void StoreMask(const TScratch& s, int w, int h, int penX, int baseline, int quarterTurn,
               TGdiGlyph& g) {
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
    const bool turned = quarterTurn != 0;
    g.Mask.Width = turned ? ih : iw;
    g.Mask.Height = turned ? iw : ih;
    g.Mask.Pitch = g.Mask.Width;
    g.Bits.assign(static_cast<std::size_t>(iw) * ih, 0);
    for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < iw; ++x) {
            int row = y;
            int col = x;
            if (quarterTurn == 900) {
                row = iw - 1 - x;
                col = y;
            } else if (quarterTurn == 2700) {
                row = x;
                col = ih - 1 - y;
            }
            g.Bits[static_cast<std::size_t>(row) * g.Mask.Pitch + col] = s.Coverage(x0 + x, y0 + y);
        }
    }
    const int left = x0 - penX;
    const int top = y0 - baseline;  // negative: above the baseline
    if (quarterTurn == 900) {
        g.Mask.Left = top;
        g.Mask.Top = -(left + iw);
    } else if (quarterTurn == 2700) {
        g.Mask.Left = -top - ih;
        g.Mask.Top = left;
    } else {
        g.Mask.Left = left;
        g.Mask.Top = top;
    }
    g.Mask.Bits = g.Bits.data();
    g.HasInk = true;
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
        std::unordered_map<std::uint32_t, TGdiGlyph> Glyphs;
    };
    using TKey = std::tuple<std::string, int, int, int>;

    TResolved& Resolve(const TFont& font);
    const TGdiGlyph& Glyph(TResolved& font, std::uint32_t cp);

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
    lf.lfHeight = -std::clamp(r->Metrics.EmPixels, 1, kMaxRenderedEm);
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

const TGdiGlyph& TGdiFontEngine::Glyph(TResolved& font, std::uint32_t cp) {
    auto [it, fresh] = font.Glyphs.try_emplace(cp);
    TGdiGlyph& g = it->second;
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
    const int em = std::clamp(font.Metrics.EmPixels, 1, kMaxRenderedEm);
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
    bytes_ += g.Bits.size() + sizeof(TGdiGlyph) + 32;
    return g;
}

void TGdiFontEngine::Shape(const TFont& font, std::string_view text, bool withMasks,
                           std::vector<TShapedChar>& out) {
    if (bytes_ > kBudgetBytes) {
        for (auto& [key, f] : fonts_) f->Glyphs.clear();
        bytes_ = 0;
    }
    TResolved& r = Resolve(font);
    out.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        TShapedChar c;
        c.Offset = static_cast<std::uint32_t>(pos);
        c.CodePoint = NextCodePoint(text, pos);
        if (c.CodePoint < 0x20 || c.CodePoint == 0x7F) {
            // Control characters take no room and leave no mark.
        } else {
            const TGdiGlyph& g = Glyph(r, c.CodePoint);
            c.Advance = g.Advance;
            if (withMasks && g.HasInk) c.Mask = &g.Mask;
        }
        out.push_back(c);
    }
}

}  // namespace

std::unique_ptr<IFontEngine> CreateGdiFontEngine() {
    return std::make_unique<TGdiFontEngine>();
}

void InstallGdiFontEngine() {
    SetFontEngine(CreateGdiFontEngine());
}
