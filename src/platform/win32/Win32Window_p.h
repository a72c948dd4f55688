#pragma once

#include "framework/Host.h"
#include "platform/win32/Windows_p.h"

class TWin32Host;

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
