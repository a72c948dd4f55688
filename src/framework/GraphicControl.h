#pragma once

#include "framework/Control.h"

// A control without a surface of its own: it paints on its parent's surface, after the
// parent's own picture, and never takes the keyboard.
class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner = nullptr) : TControl(owner) {}
};
