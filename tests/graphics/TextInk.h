#pragma once

#include <memory>
#include <string>

#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"

// The bounding box of every pixel in area that differs from the background, in buffer
// coordinates; empty when nothing was drawn there.
inline TRect InkBoundsIn(const TPixelBuffer& b, const TRect& area, TPixel background = 0xFFFFFFFF) {
    TRect r;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (b.Row(y)[x] != background) r = r.Union({x, y, x + 1, y + 1});
    return r;
}

inline TRect InkBounds(const TPixelBuffer& b, TPixel background = 0xFFFFFFFF) {
    return InkBoundsIn(b, {0, 0, b.Width(), b.Height()}, background);
}

inline TFont MakeFont(const std::string& name, int height, TFontStyles style = 0) {
    TFont f;
    f.SetName(name);
    f.SetHeight(height);
    f.SetStyle(style);
    f.SetColor(clBlack);
    return f;
}

// Installs an engine for one test and puts the previous kind back afterwards.
class TScopedFontEngine {
  public:
    explicit TScopedFontEngine(std::unique_ptr<IFontEngine> engine, void (*restore)())
        : restore_(restore) {
        SetFontEngine(std::move(engine));
    }
    ~TScopedFontEngine() { restore_(); }
    TScopedFontEngine(const TScopedFontEngine&) = delete;
    TScopedFontEngine& operator=(const TScopedFontEngine&) = delete;

  private:
    void (*restore_)();
};
