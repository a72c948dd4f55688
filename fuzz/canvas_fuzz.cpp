// Arbitrary drawing programs on a small canvas: any coordinates, pens, clips and origins must
// stay inside the buffer (AddressSanitizer watches), and a shape drawn twice in an inverting
// mode must give the picture back.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/Canvas.h"

namespace {

class TReader {
  public:
    TReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Mostly coordinates near the buffer, sometimes anything at all.
    int Coord() {
        const std::uint8_t kind = Byte();
        if (kind < 200) return static_cast<int>(Byte()) - 64;
        if (kind < 240) return static_cast<int>(static_cast<std::int16_t>(Byte() << 8 | Byte()));
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return static_cast<int>(v);
    }
    TPoint Point() { return {Coord(), Coord()}; }
    TRect Rect() { return {Coord(), Coord(), Coord(), Coord()}; }
    std::vector<TPoint> Points() {
        std::vector<TPoint> points(Byte() % 9);
        for (TPoint& p : points) p = Point();
        return points;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void Shape(TCanvas& c, std::uint8_t kind, const TRect& r, const std::vector<TPoint>& points) {
    switch (kind % 6) {
        case 0:
            c.Rectangle(r);
            break;
        case 1:
            c.Ellipse(r);
            break;
        case 2:
            c.Polygon(points);
            break;
        case 3:
            c.Polyline(points);
            break;
        case 4:
            c.DrawFocusRect(r);
            break;
        default:
            c.MoveTo(r.Left, r.Top), c.LineTo(r.Right, r.Bottom);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TReader in(data, size);
    TPixelBuffer buffer(in.Byte() % 48, in.Byte() % 48);
    TCanvas c(buffer);
    std::uint8_t mask[64];
    for (int step = 0; step < 64 && !in.Done(); ++step) {
        switch (in.Byte() % 20) {
            case 0:
                c.Pen().Width = in.Coord();
                break;
            case 1:
                c.Pen().Style = static_cast<TPenStyle>(in.Byte() % 6);
                c.Pen().Color = static_cast<TColor>(in.Coord());
                break;
            case 2:
                c.Pen().Mode = static_cast<TPenMode>(in.Byte() % 4);
                break;
            case 3:
                c.Brush().Style = static_cast<TBrushStyle>(in.Byte() % 2);
                c.Brush().Color = static_cast<TColor>(in.Coord());
                break;
            case 4:
                c.SetOrigin(in.Point());
                break;
            case 5:
                c.IntersectClipRect(in.Rect());
                break;
            case 6:
                c.ExcludeClipRect(in.Rect());
                break;
            case 7:
                c.IntersectClipRegion(TRegion::FromPolygon(in.Points()));
                break;
            case 8:
                c.ResetClip();
                break;
            case 9:
                c.FillRect(in.Rect());
                break;
            case 10:
                c.SetPixels(in.Coord(), in.Coord(), in.Coord());
                break;
            case 11:
                (void)c.Pixels(in.Coord(), in.Coord());
                break;
            case 12:
                c.CopyRect(in.Rect(), c, in.Rect());
                break;
            case 13:
                c.Draw(in.Coord(), in.Coord(), buffer, in.Byte() & 1);
                break;
            case 14: {
                for (std::uint8_t& m : mask) m = in.Byte();
                const int w = in.Byte() % 9, h = in.Byte() % 9;
                c.BlendMask(in.Coord(), in.Coord(), w, h, mask, 8, in.Coord());
                break;
            }
            case 15: {
                // Inverting twice must restore every pixel.
                const std::uint8_t kind = in.Byte();
                const TRect r = in.Rect();
                const std::vector<TPoint> points = in.Points();
                TCanvasStateSaver saver(c);
                c.Pen().Mode = static_cast<TPenMode>(1 + in.Byte() % 3);
                const TPixelBuffer before = buffer;
                Shape(c, kind, r, points);
                Shape(c, kind, r, points);
                const std::size_t bytes = sizeof(TPixel) * buffer.Width() * buffer.Height();
                if (bytes && std::memcmp(before.Data(), buffer.Data(), bytes) != 0) std::abort();
                break;
            }
            default:
                Shape(c, in.Byte(), in.Rect(), in.Points());
                break;
        }
    }
    return 0;
}
