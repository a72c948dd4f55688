#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/Geometry.h"

class TApplication;
class TControl;
class THintWindow;

// The application's hint service. A control whose ShowHint is set shows its Hint (the part
// before the first "|") in a small clInfoBk window HintPause ms after the mouse first moves
// over it with no hint active; the window's top-left corner is at the mouse, lowered by the
// cursor's height (where that leaves no room below, the window's bottom is at the mouse
// instead), and it hides after HintHidePause ms. While the mouse stays on that
// control the hint does not come back until it was cancelled. Keys, mouse buttons, the wheel
// and activation changes cancel it.
class THintService {
  public:
    explicit THintService(TApplication& app);
    ~THintService();
    THintService(const THintService&) = delete;
    THintService& operator=(const THintService&) = delete;

    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms < 0 ? 0 : ms; }
    int HintHidePause() const { return hidePause_; }
    void SetHintHidePause(int ms) { hidePause_ = ms < 0 ? 0 : ms; }

    // Forms report every mouse move: the control under the mouse (null: none) and where.
    void MouseMoved(TControl* control, TPoint screenPos);
    // Hides the hint, forgets the hinted control and stops the timers.
    void CancelHint();
    // Starts the pause for the hint of the control under a screen point.
    void ActivateHint(TPoint screenPos);

    bool Showing() const;
    // The text shown or about to be shown.
    const std::string& Text() const { return text_; }
    TControl* HintControl() const { return control_; }
    THintWindow* Window() const { return window_.get(); }

    void ControlDestroying(TControl* control);

    // The part of a hint shown in the hint window: up to the first "|".
    static std::string ShortHint(const std::string& hint);

  private:
    void StartPause();
    void StopTimers();
    void ShowNow();
    void HideNow();

    TApplication& app_;
    int hintPause_ = 500;
    int hidePause_ = 2500;
    TControl* control_ = nullptr;
    std::string text_;
    bool expired_ = false;  // shown and hidden again for the same control
    std::uint32_t pauseTimer_ = 0;
    std::uint32_t hideTimer_ = 0;
    std::unique_ptr<THintWindow> window_;
};
