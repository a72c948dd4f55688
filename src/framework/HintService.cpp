#include "framework/HintService.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/HintWindow.h"

THintService::THintService(TApplication& app) : app_(app) {}

THintService::~THintService() {
    StopTimers();
}

std::string THintService::ShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

namespace {

bool WantsHint(const TControl* c) {
    return c && c->ShowHint() && !THintService::ShortHint(c->Hint()).empty();
}

}  // namespace

void THintService::MouseMoved(TControl* control, TPoint) {
    if (control == control_ || (control && control == window_.get())) return;
    CancelHint();
    control_ = control;
    if (WantsHint(control)) StartPause();
}

void THintService::ActivateHint(TPoint screenPos) {
    TControl* control = nullptr;
    if (TForm* form = app_.FormAt(screenPos); form && form != window_.get()) {
        control = form->ControlAtPos(form->ScreenToClient(screenPos), true);
        if (!control) control = form;
    }
    CancelHint();
    control_ = control;
    if (WantsHint(control)) StartPause();
}

void THintService::CancelHint() {
    StopTimers();
    HideNow();
    control_ = nullptr;
    expired_ = false;
    text_.clear();
}

bool THintService::Showing() const {
    return window_ && window_->Visible();
}

void THintService::ControlDestroying(TControl* control) {
    if (control && control == control_) CancelHint();
}

void THintService::StartPause() {
    StopTimers();
    text_ = ShortHint(control_->Hint());
    pauseTimer_ = app_.SetTimer(static_cast<std::uint32_t>(hintPause_), [this] { ShowNow(); });
}

void THintService::StopTimers() {
    if (pauseTimer_) app_.KillTimer(pauseTimer_);
    if (hideTimer_) app_.KillTimer(hideTimer_);
    pauseTimer_ = hideTimer_ = 0;
}

void THintService::ShowNow() {
    StopTimers();
    if (!control_ || expired_ || !control_->Showing()) return;
    text_ = ShortHint(control_->Hint());
    if (text_.empty()) return;
    if (!window_) window_ = MakeForm<THintWindow>(&app_);
    const TPoint cursor = app_.Host().CursorPos();
    TPoint at{cursor.X, cursor.Y + app_.Host().CursorHeight()};
    TRect r = window_->CalcHintRect(text_);
    TRect area = app_.Host().WorkArea();
    // Kept on the screen: pulled left where it would cross the right edge. One that does not
    // fit below the cursor goes above it; pulled up only, it would cover the pointer and take
    // the mouse moves from the control under it.
    at.X = std::max(area.Left, std::min(at.X, area.Right - r.Width()));
    if (at.Y + r.Height() > area.Bottom) at.Y = std::min(cursor.Y, area.Bottom) - r.Height();
    at.Y = std::max(area.Top, at.Y);
    window_->ActivateHint(r.Offset(at.X, at.Y), text_);
    hideTimer_ = app_.SetTimer(static_cast<std::uint32_t>(hidePause_), [this] {
        HideNow();
        StopTimers();
        expired_ = true;
    });
}

void THintService::HideNow() {
    if (window_ && window_->Visible()) window_->Hide();
}
