#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "graphics/Colors.h"
#include "graphics/Font.h"
#include "graphics/Geometry.h"
#include "graphics/PixelBuffer.h"
#include "graphics/Region.h"

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// pmNot inverts what lies under the pen: drawn twice, the picture is back as it was. pmXor
// and pmNotXor combine the pen colour with what lies under it (dest ^ pen, ~(dest ^ pen)) and
// are self-inverse too. The mode applies to the brush of Rectangle, Polygon and Ellipse as
// well; FillRect always copies.
enum TPenMode : std::uint8_t { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

// A pen or brush colour of clNone draws nothing, like a clear style.
struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Text alignment for TextOut: one horizontal and one vertical choice, or-ed.
enum : unsigned {
    taLeft = 0,
    taRight = 2,
    taCenter = 6,
    taTop = 0,
    taBottom = 8,
    taBaseline = 24,
};

// DrawText formatting flags (the classic values).
enum : unsigned {
    dtLeft = 0x0,
    dtCenter = 0x1,
    dtRight = 0x2,
    dtVCenter = 0x4,
    dtBottom = 0x8,
    dtWordBreak = 0x10,
    dtSingleLine = 0x20,
    dtExpandTabs = 0x40,
    dtNoClip = 0x100,
    dtCalcRect = 0x400,
    dtNoPrefix = 0x800,
    dtHidePrefix = 0x100000,
    dtPrefixOnly = 0x200000,
    dtEndEllipsis = 0x8000,
};

// Everything SaveState/RestoreState carries.
struct TCanvasState {
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TRegion Clip;
    bool Clipped = false;
    TPoint Origin;
    TPoint PenPos;
    unsigned TextAlign = taLeft | taTop;
};

// Software rasteriser with the classic Windows drawing model: integer pixels, exclusive
// right/bottom edges, lines that leave out their end point, alternate polygon fill.
// Coordinates are logical: a pixel lands at (x + Origin().X, y + Origin().Y) of the buffer.
class TCanvas {
  public:
    explicit TCanvas(TPixelBuffer& buffer);

    TPixelBuffer& Buffer() { return *buffer_; }
    const TPixelBuffer& Buffer() const { return *buffer_; }
    int Width() const { return buffer_->Width(); }
    int Height() const { return buffer_->Height(); }

    TPen& Pen() { return state_.Pen; }
    TBrush& Brush() { return state_.Brush; }
    TFont& Font() { return state_.Font; }
    const TFont& Font() const { return state_.Font; }

    TPoint Origin() const { return state_.Origin; }
    void SetOrigin(TPoint origin) { state_.Origin = origin; }
    TPoint PenPos() const { return state_.PenPos; }

    // Lines and shapes, with the current pen and brush. Pen patterns: psDot is one pixel on,
    // one off; psDash 18/6, psDashDot 9/6/3/6, psDashDotDot 9/3/3/3/3/3, each scaled by the
    // pen width. A pattern runs on through the segments of one Polyline/Polygon/Rectangle.
    // A pen wider than 1 is centred on the line and reaches half its width past each end.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    // Outline: the ring of pen width centred on the pixels l..r-1 x t..b-1's border; the brush
    // fills what lies inside the ring. With a clear pen the brush fills all of l..r-1 x t..b-1,
    // the same pixels as FillRect, so a shape's area never depends on its pen.
    void Rectangle(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom) {
        Rectangle({left, top, right, bottom});
    }
    // The ellipse inscribed in r (pixels whose centres lie inside), outlined solid whatever the
    // pen's pattern.
    void Ellipse(const TRect& r);
    // Fills with the brush only (no outline); a clear brush fills nothing.
    void FillRect(const TRect& r);
    // Inverts every second pixel of the rectangle's one-pixel outline, starting with the
    // top-left corner (focus rectangles); drawn twice, the picture is back.
    void DrawFocusRect(const TRect& r);

    TColor Pixels(int x, int y) const;  // clNone outside the buffer
    void SetPixels(int x, int y, TColor c);

    // Clipping, in logical coordinates at the time of the call.
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void IntersectClipRegion(const TRegion& region);
    void ResetClip();
    bool IsClipped() const { return state_.Clipped; }
    // The visible area in logical coordinates (the whole buffer when not clipped).
    TRect ClipBounds() const;

    TCanvasState SaveState() const { return state_; }
    void RestoreState(const TCanvasState& state) { state_ = state; }

    // Copies pixels 1:1 from another canvas's buffer; the source is not clipped by its own
    // clip region, the destination is.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // Draws a buffer at (x, y); with alphaBlend its per-pixel alpha is honoured.
    void Draw(int x, int y, const TPixelBuffer& image, bool alphaBlend = false);

    // Text, in the current font. TextOut draws a background box with the brush unless the
    // brush is clear, and leaves the pen position just past the text. Text is UTF-8.
    void TextOut(int x, int y, std::string_view text);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    TSize TextExtent(std::string_view text) const;
    unsigned TextAlign() const { return state_.TextAlign; }
    void SetTextAlign(unsigned align) { state_.TextAlign = align; }
    // Formats text into r with the dt* flags; returns the text height. With dtCalcRect it
    // draws nothing and sets r to the size the text needs. As with TextOut, each line gets a
    // background box with the brush unless the brush is clear. Of several "&x" the last is
    // underlined; empty text measures 0 x 0.
    int DrawText(std::string_view text, TRect& r, unsigned format);
    // Text clipped to r, drawn at (x, y).
    void TextRect(const TRect& r, int x, int y, std::string_view text);

    // Blends an 8-bit coverage mask of w x h at logical (x, y) in colour c, clipped.
    // The text renderer uses it for glyphs.
    void BlendMask(int x, int y, int w, int h, const std::uint8_t* mask, int pitch, TColor c);
    // Fills a logical rectangle with one pixel value, clipped; no pen, brush or mode.
    void FillPixels(const TRect& r, TPixel value);

  private:
    TPixelBuffer* buffer_;
    TCanvasState state_;
};

// Restores the canvas's whole drawing state when it goes out of scope.
class TCanvasStateSaver {
  public:
    explicit TCanvasStateSaver(TCanvas& canvas) : canvas_(canvas), saved_(canvas.SaveState()) {}
    ~TCanvasStateSaver() { canvas_.RestoreState(saved_); }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

  private:
    TCanvas& canvas_;
    TCanvasState saved_;
};
