#pragma once

#include <cstdint>
#include <memory>

#include "framework/CustomControl.h"
#include "widgets/WsCustomTabControl.h"

enum TWsTextStyle : std::uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TWsAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };

// The push button's behaviour: pressing by mouse and space bar, hot tracking, the Active
// state that decides which button Enter clicks, and transparency at the corners. TWsButton
// draws it.
class TWsCustomButton : public TCustomControl {
  public:
    explicit TWsCustomButton(TComponent* owner = nullptr);
    ~TWsCustomButton() override;
    void DescribeAccessible(TAccDescription& d) const override;

    bool HotTrack() const { return hotTrack_; }
    // Also makes the button transparent at its corners.
    void SetHotTrack(bool value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor c);
    TWsHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TWsHotTrackColorType t);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor c);
    bool ThemeAware() const { return themeAware_; }
    void SetThemeAware(bool value);
    TWsAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TWsAlignmentVertical a);
    TWsTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TWsTextStyle s);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // The button Enter clicks: the focused push button, or the default one while the focus
    // is on a control that is not a push button.
    bool Active() const;
    bool PointerOverButton() const { return pointerOver_; }
    bool DrawPressed() const { return drawPressed_; }
    bool SpacePressed() const { return spacePressed_; }
    bool InClick() const { return inClick_; }

    // Copies ModalResult to the form, then raises OnClick.
    void Click() override;

  protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void KeyUp(TKey& key, TShiftState shift) override;
    bool DialogKey(TKey key, TShiftState shift) override;
    bool DialogChar(char32_t ch, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void ActiveControlChanged(TWinControl* focused) override;

    // Paints the parent's background where the rounded frame leaves the corners open.
    virtual void PaintTransparentCorners(TCanvas& canvas);
    // Runs a completed press: repaints, then the click with InClick set.
    virtual void DoButtonClick();

  private:
    void SetPressedState(bool drawPressed);

    bool hotTrack_ = false;
    TColor hotTrackColor_ = RGB(240, 155, 20);
    TWsHotTrackColorType hotTrackColorType_ = htctActual;
    TColor highlightColor_ = clHighlight;
    bool themeAware_ = true;
    TWsAlignmentVertical alignmentVertical_ = avCenter;
    TWsTextStyle textStyle_ = tsNormal;
    bool transparent_ = false;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;

    bool pointerOver_ = false;
    bool drawPressed_ = false;
    bool pressedByMouse_ = false;
    bool spacePressed_ = false;
    bool inClick_ = false;
    // Cleared when the button is destroyed, so a click handler that frees the button (by
    // closing its window) leaves nothing to touch afterwards.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
