#include "framework/ControlAccessible.h"

#include "framework/Form.h"
#include "framework/WinControl.h"

TAccDescription TControlAccessible::Describe() const {
    TAccDescription d;
    control_.DescribeAccessible(d);
    return d;
}

TRect AccessibleScreenRect(const TControl& control, const TRect& clientRect) {
    TForm* form = control.Form();
    if (!form || !control.Showing()) return {};
    TPoint origin = control.FormOrigin();
    TRect r = clientRect.Offset(origin.X, origin.Y).Intersect(control.VisibleFormRect());
    if (r.IsEmpty()) return {};
    TPoint screen = form->ClientToScreen({0, 0});
    return r.Offset(screen.X, screen.Y);
}

TRect TControlAccessible::ScreenBounds() const {
    if (auto* form = dynamic_cast<TForm*>(&control_); form && !form->Parent()) {
        return form->Showing() ? form->BoundsRect() : TRect{};
    }
    return AccessibleScreenRect(control_, control_.ClientRect());
}

TAccessible* TControlAccessible::Parent() const {
    TWinControl* parent = control_.Parent();
    if (!parent) return AccessibleRoot();
    auto* holder = static_cast<TControlAccessible*>(parent->Accessible());
    return holder->NodeHolding(control_);
}

int TControlAccessible::ChildCount() const {
    auto* win = dynamic_cast<TWinControl*>(&control_);
    return win ? win->ControlCount() : 0;
}

TAccessible* TControlAccessible::Child(int index) {
    auto* win = dynamic_cast<TWinControl*>(&control_);
    if (!win || index < 0 || index >= win->ControlCount()) return nullptr;
    return win->Controls(index)->Accessible();
}

bool TControlAccessible::DoDefaultAction() {
    return control_.AccessibleAction();
}

bool TControlAccessible::Focus() {
    auto* win = dynamic_cast<TWinControl*>(&control_);
    if (!win || !win->CanFocus()) return false;
    win->SetFocus();
    return win->Focused();
}
