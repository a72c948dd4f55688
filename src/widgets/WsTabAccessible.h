#pragma once

#include <memory>
#include <vector>

#include "framework/ControlAccessible.h"

class TWsCustomTabControl;

// A tab strip as a page tab list: one page tab per tab, each holding the page it shows, then
// the control's other children.
class TWsTabListAccessible : public TControlAccessible {
  public:
    explicit TWsTabListAccessible(TWsCustomTabControl& tabs);
    ~TWsTabListAccessible() override;

    TAccDescription Describe() const override;
    int ChildCount() const override;
    TAccessible* Child(int index) override;
    TAccessible* NodeHolding(TControl& child) override;

    // What the control tells of its tabs.
    void TabsChanged();
    void TabSelected(int index);

  private:
    class TTabNode;

    TAccessible* Tab(int index);
    // The children that are no tab's page.
    std::vector<TControl*> OtherChildren() const;

    TWsCustomTabControl& tabs_;
    std::vector<std::unique_ptr<TTabNode>> nodes_;
};
