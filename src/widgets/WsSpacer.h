#pragma once

#include "framework/GraphicControl.h"
#include "widgets/WsToolbarTypes.h"

// Room between tool bar buttons, optionally with a two-line groove down (or across) its
// middle.
class TWsSpacer : public TGraphicControl {
  public:
    explicit TWsSpacer(TComponent* owner = nullptr);

    bool Grooved() const { return grooved_; }
    void SetGrooved(bool grooved);
    // Changing it after loading swaps width and height.
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation orientation);

  protected:
    void Paint(TCanvas& canvas) override;

  private:
    bool grooved_ = false;
    TOrientation orientation_ = orHorizontal;
};
