#pragma once

#include "framework/Host.h"
#include "platform/win32/Windows_p.h"

class TWin32Host;
class TAccessible;
struct IRawElementProviderSimple;

// Framed windows and hint popups are of two classes: popups cast a shadow.
inline constexpr wchar_t kWindowClass[] = L"VigilWindow";
inline constexpr wchar_t kPopupClass[] = L"VigilPopup";

// One top-level window. Present keeps the form's back buffer and has the system repaint the
// dirty area at once; WM_PAINT copies it with one DIB blit.
class TWin32Window : public THostWindow {
  public:
    TWin32Window(TWin32Host& host, const THostWindowParams& params, THostWindowEvents& events);
    ~TWin32Window() override;
    TWin32Window(const TWin32Window&) = delete;
    TWin32Window& operator=(const TWin32Window&) = delete;

    HWND Handle() const { return hwnd_; }
    // A new reference to the UI Automation element of the window's form, as WM_GETOBJECT
    // hands it out; null for a hint popup, or without the system's UI Automation.
    IRawElementProviderSimple* AutomationProvider();

    void SetCaption(const std::string& caption) override;
    void SetClientBounds(const TRect& screenRect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetState(TWindowState state) override;
    void Activate() override;
    void Present(const TPixelBuffer& frame, const TRegion& dirty) override;
    void SetCursor(TCursor shape) override;
    void SetCapture(bool capture) override;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The form's node in the accessibility tree; null for a hint popup.
    TAccessible* FormNode() const;
    void Paint();
    void MouseButton(TMouseButton button, bool down, int clicks, LPARAM lp);
    void Sized(WPARAM kind, int width, int height);
    DWORD Style() const;
    DWORD ExStyle() const;

    TWin32Host& host_;
    THostWindowEvents& events_;
    TWindowKind kind_;
    HWND hwnd_ = nullptr;
    TRect bounds_;
    TWindowState state_ = wsNormal;
    const TPixelBuffer* frame_ = nullptr;
    HCURSOR cursor_ = nullptr;
    bool tracking_ = false;
    bool inSizeMove_ = false;
    wchar_t highSurrogate_ = 0;
};
