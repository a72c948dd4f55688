#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Accessible.h"
#include "framework/Form.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children go while this is still a TWinControl, so their clean-up can walk the tree.
    while (!children_.empty()) {
        TControl* child = children_.back().get();
        std::erase(tabList_, child);
        children_.pop_back();
    }
}

void TWinControl::Adopt(std::unique_ptr<TControl> control) {
    TControl* child = control.get();
    if (!child || child == this) return;
    child->parent_ = this;
    children_.push_back(std::move(control));
    if (auto* win = dynamic_cast<TWinControl*>(child)) tabList_.push_back(win);
    child->CopyParentSettings();
    child->ParentChanged();
    ChildInserted(child);
    if (child->align_ != alNone || PlacesAllChildren()) Realign();
    child->Invalidate();
    AccessibleChanged(aeChildren);
}

std::unique_ptr<TControl> TWinControl::Release(TControl* control) {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [control](const auto& c) { return c.get() == control; });
    if (it == children_.end()) return nullptr;
    control->Invalidate();
    if (TForm* form = Form()) form->ControlDestroying(control);
    std::unique_ptr<TControl> released = std::move(*it);
    children_.erase(it);
    std::erase(tabList_, control);
    released->parent_ = nullptr;
    ChildRemoved(control);
    if (released->align_ != alNone || PlacesAllChildren()) Realign();
    released->ParentChanged();
    AccessibleChanged(aeChildren);
    return released;
}

void TWinControl::DescribeAccessible(TAccDescription& d) const {
    TControl::DescribeAccessible(d);
    if (tabStop_) d.States |= asFocusable;
    if (Focused()) d.States |= asFocused;
}

std::unique_ptr<TControl> TWinControl::RemoveControl(TControl* control) {
    return Release(control);
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled) const {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        TControl* child = it->get();
        if (!child->visible_ || (!allowDisabled && !child->enabled_)) continue;
        if (!child->bounds_.Contains(pos)) continue;
        TPoint local{pos.X - child->Left(), pos.Y - child->Top()};
        if (!child->HitTest(local)) continue;
        if (auto* win = dynamic_cast<TWinControl*>(child)) {
            if (TControl* deeper = win->ControlAtPos(local, allowDisabled)) return deeper;
        }
        return child;
    }
    return nullptr;
}

TControl* TWinControl::FindChildControl(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) return child.get();
        if (auto* win = dynamic_cast<TWinControl*>(child.get())) {
            if (TControl* found = win->FindChildControl(name)) return found;
        }
    }
    return nullptr;
}

int TWinControl::TabOrder() const {
    TWinControl* p = Parent();
    if (!p) return -1;
    auto it = std::find(p->tabList_.begin(), p->tabList_.end(), this);
    return it == p->tabList_.end() ? -1 : static_cast<int>(it - p->tabList_.begin());
}

void TWinControl::SetTabOrder(int order) {
    TWinControl* p = Parent();
    if (!p) return;
    auto& list = p->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
    if (!Form()) return false;
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Enabled()) return false;
        if (c->Parent() && !c->Visible()) return false;
    }
    return true;
}

bool TWinControl::Focused() const {
    TForm* form = Form();
    return form && form->Active() && form->ActiveControl() == this;
}

bool TWinControl::ContainsFocus() const {
    TForm* form = Form();
    if (!form || !form->Active()) return false;
    for (const TControl* c = form->ActiveControl(); c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::SetFocus() {
    if (TForm* form = Form(); form && CanFocus()) form->SetActiveControl(this);
}

void TWinControl::CollectTabList(std::vector<TWinControl*>& out, bool checkTabStop) const {
    for (TWinControl* child : tabList_) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (!checkTabStop || child->tabStop_) out.push_back(child);
        child->CollectTabList(out, checkTabStop);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward,
                                          bool checkTabStop) const {
    std::vector<TWinControl*> list;
    CollectTabList(list, checkTabStop);
    if (list.empty()) return nullptr;
    auto n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (forward ? -1 : n) : static_cast<int>(it - list.begin());
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        if (list[i] != current && list[i]->CanFocus()) return list[i];
    }
    return nullptr;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (alignPending_) Realign();
}

void TWinControl::Realign() {
    if (alignLock_ > 0 || Loading()) {
        alignPending_ = true;
        return;
    }
    if (aligning_) return;
    aligning_ = true;
    alignPending_ = false;
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(r);
    aligning_ = false;
}

void TWinControl::EnableAlign() {
    if (alignLock_ > 0 && --alignLock_ == 0 && alignPending_) Realign();
}

void TWinControl::AdjustClientRect(TRect&) const {}

namespace {

// The stacking key of a docked control: the one nearer the edge it docks to comes first.
int DockKey(const TControl* c) {
    switch (c->Align()) {
        case alTop:
            return c->Top();
        case alBottom:
            return -(c->Top() + c->Height());
        case alLeft:
            return c->Left();
        case alRight:
            return -(c->Left() + c->Width());
        default:
            return 0;
    }
}

}  // namespace

void TWinControl::AlignControls(TRect rect) {
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> docked;
        for (const auto& child : children_)
            if (child->Visible() && child->Align() == kind) docked.push_back(child.get());
        std::stable_sort(docked.begin(), docked.end(),
                         [](TControl* a, TControl* b) { return DockKey(a) < DockKey(b); });
        for (TControl* c : docked) {
            int w = std::max(0, rect.Width());
            int h = std::max(0, rect.Height());
            switch (kind) {
                case alTop:
                    c->SetBounds(rect.Left, rect.Top, w, c->Height());
                    rect.Top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                    rect.Bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                    rect.Left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                    rect.Right -= c->Width();
                    break;
                default:
                    c->SetBounds(rect.Left, rect.Top, w, h);
                    break;
            }
        }
    }
}

void TWinControl::Resize() {
    Realign();
    TControl::Resize();
}

void TWinControl::FontChanged() {
    Invalidate();
    for (const auto& child : children_) child->ParentFontChanged(Font());
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (const auto& child : children_) child->ParentColorChanged(Color());
}

void TWinControl::KeyDown(TKey& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(TKey& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& ch) {
    if (OnKeyPress) OnKeyPress(this, ch);
}

bool TWinControl::WantsKey(TKey, TShiftState) const {
    return false;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::EraseBackground(TCanvas& canvas) {
    canvas.Brush().Color = Color();
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(ClientRect());
}

namespace {

void PrepareCanvas(TCanvas& canvas, const TControl& control) {
    canvas.Font() = control.Font();
    canvas.Brush().Color = control.Color();
    canvas.Brush().Style = bsSolid;
    canvas.Pen() = TPen{};
}

}  // namespace

void TWinControl::PaintWindow(TCanvas& canvas) {
    if (!(ControlStyle() & csOpaque)) {
        TCanvasStateSaver saver(canvas);
        PrepareCanvas(canvas, *this);
        EraseBackground(canvas);
    }
    {
        TCanvasStateSaver saver(canvas);
        PrepareCanvas(canvas, *this);
        Paint(canvas);
    }
    TRect clip = canvas.ClipBounds();
    for (const auto& child : children_) {
        if (!child->Visible() || dynamic_cast<TWinControl*>(child.get())) continue;
        TRect r = child->BoundsRect();
        if (r.Intersect(clip).IsEmpty()) continue;
        TCanvasStateSaver saver(canvas);
        canvas.IntersectClipRect(r);
        TPoint o = canvas.Origin();
        canvas.SetOrigin({o.X + r.Left, o.Y + r.Top});
        PrepareCanvas(canvas, *child);
        child->Paint(canvas);
    }
}

void TWinControl::PaintTree(TCanvas& canvas, TRegion region) {
    for (auto it = children_.rbegin(); it != children_.rend() && !region.IsEmpty(); ++it) {
        auto* win = dynamic_cast<TWinControl*>(it->get());
        if (!win || !win->Visible()) continue;
        TRect visible = win->VisibleFormRect();
        if (visible.IsEmpty()) continue;
        TRegion part = region;
        part.Intersect(visible);
        if (part.IsEmpty()) continue;
        win->PaintTree(canvas, part);
        region.Subtract(visible);
    }
    if (region.IsEmpty()) return;
    TCanvasStateSaver saver(canvas);
    canvas.ResetClip();
    canvas.SetOrigin({0, 0});
    canvas.IntersectClipRegion(region);
    canvas.SetOrigin(FormOrigin());
    PaintWindow(canvas);
}

bool TWinControl::Broadcast(const std::function<bool(TControl&)>& offer) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        TControl* child = children_[i].get();
        if (!child->Visible() || !child->Enabled()) continue;
        if (offer(*child)) return true;
        if (auto* win = dynamic_cast<TWinControl*>(child); win && win->Broadcast(offer))
            return true;
    }
    return false;
}

bool TWinControl::BroadcastDialogChar(char32_t ch, TShiftState shift) {
    return Broadcast([&](TControl& c) { return c.DialogChar(ch, shift); });
}

bool TWinControl::BroadcastDialogKey(TKey key, TShiftState shift) {
    return Broadcast([&](TControl& c) { return c.DialogKey(key, shift); });
}
