#include "widgets/WsCustomButton.h"

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Form.h"
#include "widgets/WsParentBackground.h"

TWsCustomButton::TWsCustomButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    // The button decides itself when a press is a click; it paints every pixel.
    SetControlStyle((ControlStyle() | csOpaque) & ~(csClickEvents | csDoubleClicks));
}

TWsCustomButton::~TWsCustomButton() {
    *alive_ = false;
}

void TWsCustomButton::SetHotTrack(bool value) {
    if (!StoreChanged(hotTrack_, value)) return;
    transparent_ = value;
    Invalidate();
}

void TWsCustomButton::SetHotTrackColor(TColor c) {
    if (StoreChanged(hotTrackColor_, c)) Invalidate();
}

void TWsCustomButton::SetHotTrackColorType(TWsHotTrackColorType t) {
    if (StoreChanged(hotTrackColorType_, t)) Invalidate();
}

void TWsCustomButton::SetHighlightColor(TColor c) {
    if (StoreChanged(highlightColor_, c)) Invalidate();
}

void TWsCustomButton::SetThemeAware(bool value) {
    if (StoreChanged(themeAware_, value)) Invalidate();
}

void TWsCustomButton::SetAlignmentVertical(TWsAlignmentVertical a) {
    if (StoreChanged(alignmentVertical_, a)) Invalidate();
}

void TWsCustomButton::SetTextStyle(TWsTextStyle s) {
    if (StoreChanged(textStyle_, s)) Invalidate();
}

void TWsCustomButton::SetTransparent(bool value) {
    if (StoreChanged(transparent_, value)) Invalidate();
}

void TWsCustomButton::SetDefault(bool value) {
    if (StoreChanged(default_, value)) Invalidate();
}

bool TWsCustomButton::Active() const {
    TForm* form = Form();
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    if (dynamic_cast<TWsCustomButton*>(focused)) return focused == this;
    return default_;
}

void TWsCustomButton::ActiveControlChanged(TWinControl* focused) {
    TCustomControl::ActiveControlChanged(focused);
    // Whether Enter clicks this button may have changed with the focus.
    if (default_ || focused == this) Invalidate();
}

void TWsCustomButton::SetPressedState(bool drawPressed) {
    if (StoreChanged(drawPressed_, drawPressed)) Invalidate();
}

void TWsCustomButton::Click() {
    if (modalResult_ != 0) {
        if (TForm* form = Form()) form->SetModalResult(modalResult_);
    }
    TCustomControl::Click();
}

void TWsCustomButton::DoButtonClick() {
    Invalidate();
    std::shared_ptr<bool> alive = alive_;
    inClick_ = true;
    Click();
    if (*alive) inClick_ = false;
}

void TWsCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = alive_;
    TCustomControl::MouseDown(button, shift, x, y);
    if (!*alive || button != mbLeft || !Enabled()) return;
    // A space bar still held must not click when it comes up after the mouse took over.
    spacePressed_ = false;
    SetFocus();
    if (!Focused()) return;
    pressedByMouse_ = true;
    SetPressedState(true);
}

void TWsCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (pressedByMouse_) SetPressedState(ClientRect().Contains({x, y}));
}

void TWsCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = alive_;
    if (button == mbLeft && pressedByMouse_) {
        pressedByMouse_ = false;
        SetPressedState(false);
        if (ClientRect().Contains({x, y})) DoButtonClick();
        if (!*alive) return;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TWsCustomButton::MouseEnter() {
    pointerOver_ = true;
    TCustomControl::MouseEnter();
    if (hotTrack_) Invalidate();
}

void TWsCustomButton::MouseLeave() {
    pointerOver_ = false;
    TCustomControl::MouseLeave();
    if (hotTrack_) Invalidate();
}

void TWsCustomButton::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == vkSpace && !(shift & ssAlt)) {
        spacePressed_ = true;
        SetPressedState(true);
        key = 0;
    }
}

void TWsCustomButton::KeyUp(TKey& key, TShiftState shift) {
    std::shared_ptr<bool> alive = alive_;
    TCustomControl::KeyUp(key, shift);
    if (!*alive || key != vkSpace) return;
    SetPressedState(false);
    // Cleared here, so a later stray release cannot click again.
    bool click = spacePressed_;
    spacePressed_ = false;
    if (click) DoButtonClick();
}

bool TWsCustomButton::DialogKey(TKey key, TShiftState shift) {
    bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
    if (plain && CanFocus() && ((key == vkReturn && Active()) || (key == vkEscape && cancel_))) {
        DoButtonClick();
        return true;
    }
    return TCustomControl::DialogKey(key, shift);
}

bool TWsCustomButton::DialogChar(char32_t ch, TShiftState shift) {
    if (IsAccel(ch, Caption()) && CanFocus()) {
        DoButtonClick();
        return true;
    }
    return TCustomControl::DialogChar(ch, shift);
}

void TWsCustomButton::DoEnter() {
    TCustomControl::DoEnter();
    Invalidate();
}

void TWsCustomButton::DoExit() {
    spacePressed_ = false;
    pressedByMouse_ = false;
    drawPressed_ = false;
    TCustomControl::DoExit();
    Invalidate();
}

void TWsCustomButton::EnabledChanged() {
    if (!Enabled()) {
        spacePressed_ = pressedByMouse_ = drawPressed_ = false;
        if (TForm* form = Form(); form && form->ActiveControl() == this)
            form->SetActiveControl(nullptr);
    }
    Invalidate();
}

void TWsCustomButton::PaintTransparentCorners(TCanvas& canvas) {
    if (!transparent_) return;
    PaintParentBackground(*this, canvas);
}

void TWsCustomButton::DescribeAccessible(TAccDescription& d) const {
    TCustomControl::DescribeAccessible(d);
    d.Role = arPushButton;
    d.DefaultAction = aaPress;
    if (default_) d.States |= asDefault;
}
