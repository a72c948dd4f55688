#pragma once

#include "framework/WinControl.h"

// A windowed control that draws all of itself in Paint. The canvas it gets is the form's
// back buffer, clipped to what is invalid, so painting never flickers.
class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* owner = nullptr) : TWinControl(owner) {}
};
