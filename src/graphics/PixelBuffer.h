#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "graphics/Colors.h"

// Asks a pixel buffer to leave its pixels as they come from the allocator, for a caller that
// paints every one of them anyway (off-screen shading, back buffers).
struct TNoFill {};
inline constexpr TNoFill NoFill{};

// A 32-bit 0xAARRGGBB pixel buffer that canvases draw into. Sizes are clamped to
// 0..kMaxSide per side (a zero side empties both), so an absurd request cannot exhaust memory.
class TPixelBuffer {
  public:
    TPixelBuffer() = default;
    static constexpr int kMaxSide = 16384;

    TPixelBuffer(int width, int height, TPixel fill = 0xFFFFFFFF);
    TPixelBuffer(int width, int height, TNoFill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Keeps nothing of the old content; new pixels take the fill.
    void Resize(int width, int height, TPixel fill = 0xFFFFFFFF);
    TPixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const TPixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    TPixel* Data() { return pixels_.data(); }
    const TPixel* Data() const { return pixels_.data(); }

  private:
    // Default-initialises its elements, so a TNoFill buffer costs no write per pixel.
    template <class T>
    struct TNoInitAllocator : std::allocator<T> {
        template <class U>
        struct rebind {
            using other = TNoInitAllocator<U>;
        };
        template <class U>
        void construct(U* p) {
            ::new (static_cast<void*>(p)) U;
        }
        template <class U, class... Args>
        void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    void SetSides(int width, int height);

    int width_ = 0;
    int height_ = 0;
    std::vector<TPixel, TNoInitAllocator<TPixel>> pixels_;
};
