#include "widgets/WsTabAccessible.h"

#include "widgets/WsCustomTabControl.h"

class TWsTabListAccessible::TTabNode final : public TAccessible {
  public:
    TTabNode(TWsTabListAccessible& list, int index) : list_(list), index_(index) {}

    TAccDescription Describe() const override {
        TWsCustomTabControl& c = list_.tabs_;
        const TWsTabData& tab = c.Tabs()[index_];
        TAccDescription d;
        d.Role = arPageTab;
        d.Name = AccessibleCaption(tab.Caption);
        d.Description = tab.Hint.substr(0, tab.Hint.find('|'));
        d.Shortcut = AccessibleShortcut(tab.Caption);
        d.DefaultAction = aaSelect;
        d.States = asSelectable | asFocusable | (list_.Describe().States & asDisabled);
        if (!tab.Enabled) d.States |= asDisabled;
        if (c.TabIndex() == index_) {
            d.States |= asSelected;
            if (c.Focused()) d.States |= asFocused;
        }
        if (ScreenBounds().IsEmpty()) d.States |= asInvisible;
        return d;
    }
    TRect ScreenBounds() const override {
        TWsCustomTabControl& c = list_.tabs_;
        if (!c.Tabs()[index_].Visible) return {};
        return AccessibleScreenRect(c, c.DrawnTabRect(index_));
    }
    TAccessible* Parent() const override { return &list_; }
    int IndexInParent() const override { return index_; }
    int ChildCount() const override { return Page() ? 1 : 0; }
    TAccessible* Child(int index) override {
        TControl* page = Page();
        return page && index == 0 ? page->Accessible() : nullptr;
    }
    bool DoDefaultAction() override {
        TWsCustomTabControl& c = list_.tabs_;
        if (!c.Enabled() || !c.Showing()) return false;
        c.SetTabIndex(index_);
        return c.TabIndex() == index_;
    }
    bool Focus() override { return DoDefaultAction() && list_.Focus(); }

  private:
    TControl* Page() const { return list_.tabs_.TabContent(index_); }

    TWsTabListAccessible& list_;
    int index_;
};

TWsTabListAccessible::TWsTabListAccessible(TWsCustomTabControl& tabs)
    : TControlAccessible(tabs), tabs_(tabs) {}

TWsTabListAccessible::~TWsTabListAccessible() = default;

TAccDescription TWsTabListAccessible::Describe() const {
    TAccDescription d = TControlAccessible::Describe();
    d.Role = arPageTabList;
    return d;
}

int TWsTabListAccessible::ChildCount() const {
    return tabs_.TabCount() + static_cast<int>(OtherChildren().size());
}

TAccessible* TWsTabListAccessible::Child(int index) {
    if (index < 0) return nullptr;
    if (index < tabs_.TabCount()) return Tab(index);
    std::vector<TControl*> others = OtherChildren();
    index -= tabs_.TabCount();
    return index < static_cast<int>(others.size()) ? others[index]->Accessible() : nullptr;
}

TAccessible* TWsTabListAccessible::NodeHolding(TControl& child) {
    for (int i = 0; i < tabs_.TabCount(); ++i) {
        if (tabs_.TabContent(i) == &child) return Tab(i);
    }
    return this;
}

void TWsTabListAccessible::TabsChanged() {
    // A tab's node stands for its place in the strip, which may now hold another tab.
    nodes_.clear();
    Raise(aeChildren);
}

void TWsTabListAccessible::TabSelected(int index) {
    TAccessible* tab = Tab(index);
    if (!tab) return;
    tab->Raise(aeSelection);
    if (tabs_.Focused()) tab->Raise(aeFocus);
}

TAccessible* TWsTabListAccessible::Tab(int index) {
    if (index < 0 || index >= tabs_.TabCount()) return nullptr;
    if (static_cast<int>(nodes_.size()) < tabs_.TabCount()) nodes_.resize(tabs_.TabCount());
    if (!nodes_[index]) nodes_[index] = std::make_unique<TTabNode>(*this, index);
    return nodes_[index].get();
}

std::vector<TControl*> TWsTabListAccessible::OtherChildren() const {
    std::vector<TControl*> out;
    for (int i = 0; i < tabs_.ControlCount(); ++i) {
        TControl* child = tabs_.Controls(i);
        bool isPage = false;
        for (int t = 0; t < tabs_.TabCount() && !isPage; ++t) isPage = tabs_.TabContent(t) == child;
        if (!isPage) out.push_back(child);
    }
    return out;
}
