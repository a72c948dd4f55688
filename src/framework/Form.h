#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Host.h"
#include "framework/WinControl.h"
#include "graphics/Region.h"

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition : std::uint8_t { poDesigned, poScreenCenter, poDesktopCenter, poOwnerFormCenter };
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

// The buttons of a window's title bar.
using TBorderIcons = std::uint8_t;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A top-level window. Left, Top, Width and Height are its outer frame on the screen; its
// controls live in the client area. The form paints into one back buffer and presents the
// repainted parts in one copy. Make forms with MakeForm (or TApplication::CreateForm) so that
// their components finish loading and OnCreate runs once the constructor has built them. A
// form belongs to the application of its owner (TApplication::Of) for its whole life.
class TForm : public TWinControl, public THostWindowEvents {
  public:
    explicit TForm(TComponent* owner = nullptr);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    // A window that cannot be sized never shows the maximise button.
    TBorderIcons BorderIcons() const;
    void SetBorderIcons(TBorderIcons icons);
    // The window's icon on the desktop.
    const TPixelBuffer& Icon() const { return icon_; }
    void SetIcon(const TPixelBuffer& icon);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    // The frame around the client area: left, top (with the caption), right, bottom.
    TRect FrameInsets() const;
    TRect ClientRect() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetBounds(int left, int top, int width, int height) override;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Moves the keyboard focus (null: to the form itself).
    void SetActiveControl(TWinControl* control);
    // The form's window has the keyboard.
    bool Active() const { return active_; }

    // A control on the form or a component it owns, by name; null when there is none.
    TComponent* FindComponent(const std::string& name) const;

    // Runs the Loaded pass, positions the form and raises OnCreate; once.
    void FinishCreate();
    void Close();
    // Shows the form and runs a nested loop, with the other forms disabled, until
    // ModalResult is set or the form closes; returns ModalResult (mrCancel when closed).
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    // Paints the invalid areas into the back buffer and presents them.
    void UpdateWindow();
    bool HasInvalidArea() const { return !invalid_.IsEmpty(); }
    const TPixelBuffer& BackBuffer() const { return backBuffer_; }
    THostWindow* HostWindow() const { return hostWindow_.get(); }
    // Adds a part of the client area to what the next update repaints.
    void InvalidateFormRect(const TRect& formRect);

    TControl* MouseControl() const { return mouseControl_; }
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control);
    // The cursor follows the control under the mouse; call after a cursor changed.
    void UpdateCursor();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void DescribeAccessible(TAccDescription& d) const override;

    // A control is going away: forget every reference to it.
    void ControlDestroying(TControl* control);

  protected:
    void VisibleChanged() override;
    void TextChanged() override;
    void Resize() override;

    void HostMouseMove(TPoint pos, TShiftState shift) override;
    void HostMouseDown(TMouseButton button, TPoint pos, TShiftState shift, int clicks) override;
    void HostMouseUp(TMouseButton button, TPoint pos, TShiftState shift) override;
    void HostMouseWheel(int delta, TPoint pos, TShiftState shift) override;
    void HostMouseLeave() override;
    void HostKeyDown(TKey key, TShiftState shift) override;
    void HostKeyUp(TKey key, TShiftState shift) override;
    void HostChar(char32_t ch) override;
    void HostActivate(bool active) override;
    void HostMoved(TPoint clientTopLeft) override;
    void HostResized(int clientWidth, int clientHeight) override;
    void HostStateChanged(TWindowState state) override;
    void HostCloseRequest() override;
    void HostExposed() override;
    TFrameHit HostFrameHit(TPoint pos) override;

    // The host window kind this form asks for.
    virtual TWindowKind WindowKind() const;

  private:
    void CreateHostWindow();
    void DestroyHostWindow();
    // Tells assistive technology where the keyboard focus is now.
    void FocusChanged();
    void PlaceOnScreen();
    TRect ClientScreenRect() const;
    TControl* UnderMouse(TPoint pos) const;
    TControl* TargetAt(TPoint pos) const;
    void TrackMouse(TControl* control);
    TWinControl* KeyTarget();
    bool CloseQuery();
    void LoadAll();
    // Every control of the form (itself first, parents before children) and, after each,
    // the components it owns.
    std::vector<TComponent*> AllComponents() const;

    friend class TControl;      // reads app_ for Application()
    friend class TApplication;  // clears app_ when it goes before the form

    TApplication* app_;
    std::unique_ptr<THostWindow> hostWindow_;
    TPixelBuffer backBuffer_;
    TPixelBuffer icon_;
    TRegion invalid_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    TControl* captureControl_ = nullptr;
    TControl* pressedControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool created_ = false;
    bool modal_ = false;
    bool active_ = false;
    bool destroying_ = false;
    bool fromHost_ = false;
    TPoint mousePos_;
    TCursor shownCursor_ = crNone;
};

// Builds a form so that its components load and its OnCreate runs after its constructor.
template <class F, class... Args>
std::unique_ptr<F> MakeForm(Args&&... args) {
    std::unique_ptr<F> form;
    {
        TComponent::TLoadingScope loading;
        form = std::make_unique<F>(std::forward<Args>(args)...);
    }
    form->FinishCreate();
    return form;
}
