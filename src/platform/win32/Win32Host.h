#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "framework/Host.h"
#include "platform/win32/Windows_p.h"

class TWin32Window;

// Real windows through user32, one per form, on the thread's one message loop. Idle waits in
// MsgWaitForMultipleObjectsEx until input or the next timer; it never polls. While the user
// drags a window's frame the system runs a loop of its own, so a system timer then keeps the
// framework's timers and painting going.
class TWin32Host : public THost {
  public:
    // Registers the window classes; fails when the system refuses them.
    static TResult<std::unique_ptr<TWin32Host>> Open();
    ~TWin32Host() override;
    TWin32Host(const TWin32Host&) = delete;
    TWin32Host& operator=(const TWin32Host&) = delete;

    std::unique_ptr<THostWindow> CreateHostWindow(const THostWindowParams& params,
                                                  THostWindowEvents& events) override;
    void SetClient(THostClient* client) override { client_ = client; }
    TRect WorkArea() const override;
    TPoint CursorPos() const override;
    int CursorHeight() const override { return 20; }
    std::uint64_t Now() const override;
    bool WaitEvents(std::uint64_t deadline) override;
    bool OpenURL(const std::string& address) override;
    // The defaults, with the user's theme colour name.
    TDisplaySettings DisplaySettings() const override;

    // The window that owns what the shell shows for OpenURL: the main window, or none.
    HWND OwnerWindow() const;
    HCURSOR SystemCursor(TCursor shape) const;
    THostClient* Client() const { return client_; }
    HICON Icon() const { return icon_; }
    void Forget(TWin32Window* window);

  private:
    TWin32Host();

    THostClient* client_ = nullptr;
    std::vector<TWin32Window*> windows_;
    HICON icon_ = nullptr;
    bool comStarted_ = false;
};

// Windows' virtual key codes are the framework's; only the modifier state needs asking.
TShiftState KeyboardShift();
