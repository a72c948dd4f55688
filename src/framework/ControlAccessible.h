#pragma once

#include "framework/Accessible.h"

class TControl;

// The node of a control. Its description is the control's DescribeAccessible, its action the
// control's AccessibleAction; its children are the nodes of the child controls, back to front.
// Controls with parts that are not controls (tabs, rows, the bars of a chart) derive from it.
class TControlAccessible : public TAccessible {
  public:
    explicit TControlAccessible(TControl& control) : control_(control) {}

    TControl& Control() const { return control_; }

    TAccDescription Describe() const override;
    TRect ScreenBounds() const override;
    TAccessible* Parent() const override;
    int ChildCount() const override;
    TAccessible* Child(int index) override;
    bool DoDefaultAction() override;
    bool Focus() override;

    // The node under which a child control appears; this one unless the control puts its
    // children beneath parts of its own (a page control puts each sheet under its tab).
    virtual TAccessible* NodeHolding(TControl& child) {
        (void)child;
        return this;
    }

  private:
    TControl& control_;
};

// A screen rectangle from a rectangle in a control's client coordinates, cut to where the
// control can be seen.
TRect AccessibleScreenRect(const TControl& control, const TRect& clientRect);
