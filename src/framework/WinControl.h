#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Control.h"

// A control that holds children, takes the keyboard focus and has a surface of its own in
// the painting order: its windowed children clip it, and it clips its siblings behind it.
class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner = nullptr);
    ~TWinControl() override;

    // Takes ownership of a child, puts it in front of its siblings and returns it.
    template <class T>
    T* InsertControl(std::unique_ptr<T> control) {
        T* raw = control.get();
        Adopt(std::unique_ptr<TControl>(std::move(control)));
        return raw;
    }
    // Hands a child back to the caller; null when it is not a child.
    std::unique_ptr<TControl> RemoveControl(TControl* control);
    // Children from back to front.
    int ControlCount() const { return static_cast<int>(children_.size()); }
    TControl* Controls(int index) const { return children_[index].get(); }
    // The front-most visible child at a client point (and that takes the mouse there),
    // searched down through windowed children; null when the point is on this control.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled = false) const;
    // This control or any control below it by name.
    TControl* FindChildControl(const std::string& name) const;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Position among the windowed siblings for Tab; new controls go last.
    int TabOrder() const;
    void SetTabOrder(int order);
    // Showing, enabled all the way up, and on a form.
    bool CanFocus() const;
    // Has the keyboard focus of its form.
    bool Focused() const;
    // This control or one below it has the focus.
    bool ContainsFocus() const;
    void SetFocus();
    // The next control for Tab from current (null: from the start), in tab order, wrapping.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;

    // Lays the children out again by their Align. Waits while the control is loading.
    void Realign();
    void Loaded() override;
    // Suspends alignment until the matching EnableAlign, which then aligns once.
    void DisableAlign() { ++alignLock_; }
    void EnableAlign();

    // Transparent controls paint their parent's background under themselves with these two:
    // EraseBackground fills the client area with Color; PaintWindow is the control's whole
    // picture (erase unless csOpaque, Paint, then the windowless children) without its
    // windowed children. Both draw in the control's client coordinates.
    virtual void EraseBackground(TCanvas& canvas);
    void PaintWindow(TCanvas& canvas);

    // Adds the focus states.
    void DescribeAccessible(TAccDescription& d) const override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

  protected:
    // True for a container that places every child itself (a tool bar): then any child's
    // move, resize, visibility change, arrival or departure asks for a realign, not only a
    // docked child's.
    virtual bool PlacesAllChildren() const { return false; }
    // A child arrived, or is leaving; called before the realign that follows.
    virtual void ChildInserted(TControl*) {}
    virtual void ChildRemoved(TControl*) {}
    // The area the children are aligned in; by default the client rectangle.
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void AlignControls(TRect rect);
    // Keyboard input of the focused control; the bases raise the events.
    virtual void KeyDown(TKey& key, TShiftState shift);
    virtual void KeyUp(TKey& key, TShiftState shift);
    virtual void KeyPress(char32_t& ch);
    // Whether the control handles this key itself instead of the form's Tab navigation.
    virtual bool WantsKey(TKey key, TShiftState shift) const;
    // Focus arrives or leaves; raise OnEnter and OnExit.
    virtual void DoEnter();
    virtual void DoExit();
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;

  private:
    friend class TForm;
    friend class TControl;

    void Adopt(std::unique_ptr<TControl> control);
    std::unique_ptr<TControl> Release(TControl* control);
    void CollectTabList(std::vector<TWinControl*>& out, bool checkTabStop) const;
    // Paints the invalid area of this control's windowed subtree, front to back.
    void PaintTree(TCanvas& canvas, TRegion region);
    // Offers something to every visible, enabled control below this one until one takes it.
    bool Broadcast(const std::function<bool(TControl&)>& offer);
    bool BroadcastDialogChar(char32_t ch, TShiftState shift);
    bool BroadcastDialogKey(TKey key, TShiftState shift);

    std::vector<std::unique_ptr<TControl>> children_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignLock_ = 0;
    bool alignPending_ = false;
    bool aligning_ = false;
};
