#pragma once

#include "graphics/Canvas.h"

class TControl;

// Paints what the parent shows under the control (its background, its own picture and its
// windowless children) onto a canvas set up in the control's client coordinates. With
// invalidateParent, a parent that is neither a custom-drawn control nor a form is also
// marked for repainting.
void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent = false);
