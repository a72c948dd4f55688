#pragma once

#include "graphics/Canvas.h"

// The part of the canvas that drawing can reach, in logical coordinates: the clipping bounds
// within the buffer. Loops over pixels stay inside it, so absurd rectangles cost nothing.
inline TRect CanvasVisibleBounds(const TCanvas& canvas) {
    const TPoint o = canvas.Origin();
    return canvas.ClipBounds().Intersect(
        Rect(-o.X, -o.Y, canvas.Width() - o.X, canvas.Height() - o.Y));
}
