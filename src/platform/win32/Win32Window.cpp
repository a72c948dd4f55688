#include <windowsx.h>

#include <algorithm>

#include "base/StoreChanged.h"
#include "framework/Control.h"
#include "graphics/Canvas.h"
#include "graphics/Region.h"
#include "platform/win32/UiaBridge_p.h"
#include "platform/win32/UiaElement_p.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Window_p.h"
#include "platform/win32/WinText.h"

namespace {

// Keeps timers and painting going while the system runs its loop for a frame drag.
constexpr UINT_PTR kSizeMoveTimer = 1;

TShiftState MouseShift(WPARAM wp) {
    TShiftState s = KeyboardShift();
    if (wp & MK_LBUTTON) s |= ssLeft;
    if (wp & MK_RBUTTON) s |= ssRight;
    if (wp & MK_MBUTTON) s |= ssMiddle;
    return s;
}

TPoint ClientPoint(LPARAM lp) {
    return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

}  // namespace

TWin32Window::TWin32Window(TWin32Host& host, const THostWindowParams& params,
                           THostWindowEvents& events)
    : host_(host), events_(events), kind_(params.Kind), bounds_(params.ClientBounds) {
    cursor_ = LoadCursorW(nullptr, IDC_ARROW);
    RECT r{bounds_.Left, bounds_.Top, bounds_.Left + std::max(1, bounds_.Width()),
           bounds_.Top + std::max(1, bounds_.Height())};
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    // A dialog belongs to the window that was active when it was made, so it stays above it
    // and out of the task bar.
    HWND owner = kind_ == wkSizeable ? nullptr : GetActiveWindow();
    const std::wstring caption = WideFromUtf8(params.Caption);
    hwnd_ = CreateWindowExW(ExStyle(), kind_ == wkPopup ? kPopupClass : kWindowClass,
                            caption.c_str(), Style(), r.left, r.top, r.right - r.left,
                            r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ && host_.Icon() && kind_ != wkPopup) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(host_.Icon()));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(host_.Icon()));
    }
}

TWin32Window::~TWin32Window() {
    host_.Forget(this);
    if (TUiaBridge* bridge = TUiaBridge::Existing(); bridge && hwnd_) {
        bridge->RemoveWindow(hwnd_);
        // Tells UI Automation that the window's provider is going.
        if (uia::TCore* core = uia::Core()) core->ReturnRawElementProvider(hwnd_, 0, 0, nullptr);
    }
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

TAccessible* TWin32Window::FormNode() const {
    // Forms are the only users of host windows; hint popups are not part of the tree.
    auto* form = dynamic_cast<TControl*>(&events_);
    return form && kind_ != wkPopup ? form->Accessible() : nullptr;
}

IRawElementProviderSimple* TWin32Window::AutomationProvider() {
    TAccessible* node = FormNode();
    if (!node || !hwnd_ || !uia::Core()) return nullptr;
    TUiaBridge& bridge = TUiaBridge::Get();
    bridge.AddWindow(*node, hwnd_);
    return bridge.ElementFor(*node);
}

DWORD TWin32Window::Style() const {
    switch (kind_) {
        case wkSizeable:
            return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        case wkDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        default:
            return WS_POPUP;
    }
}

DWORD TWin32Window::ExStyle() const {
    switch (kind_) {
        case wkSizeable:
            return WS_EX_APPWINDOW;
        case wkDialog:
            return WS_EX_DLGMODALFRAME;
        default:
            return WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    }
}

LRESULT CALLBACK TWin32Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TWin32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Messages sent while the window is being made or torn down have no form to go to.
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->OnMessage(msg, wp, lp);
}

LRESULT TWin32Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the back buffer
        case WM_GETOBJECT:
            if (static_cast<long>(lp) == uia::kRootObjectId) {
                if (IRawElementProviderSimple* provider = AutomationProvider()) {
                    const LRESULT answer =
                        uia::Core()->ReturnRawElementProvider(hwnd_, wp, lp, provider);
                    provider->Release();
                    return answer;
                }
            }
            break;
        case kAccessibleActionMessage:
            if (TUiaBridge* bridge = TUiaBridge::Existing())
                bridge->PerformAction(static_cast<std::uint32_t>(wp));
            return 0;
        case WM_CLOSE:
            if (IsWindowEnabled(hwnd_)) events_.HostCloseRequest();
            return 0;
        case WM_ACTIVATE:
            if (kind_ != wkPopup) events_.HostActivate(LOWORD(wp) != WA_INACTIVE);
            return 0;
        case WM_MOUSEACTIVATE:
            if (kind_ == wkPopup) return MA_NOACTIVATE;
            break;
        case WM_MOVE:
            if (state_ != wsMinimized) {
                const TPoint p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                bounds_ = Bounds(p.X, p.Y, bounds_.Width(), bounds_.Height());
                events_.HostMoved(p);
            }
            return 0;
        case WM_SIZE:
            Sized(wp, LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_ENTERSIZEMOVE:
            inSizeMove_ = true;
            SetTimer(hwnd_, kSizeMoveTimer, 10, nullptr);
            return 0;
        case WM_EXITSIZEMOVE:
            inSizeMove_ = false;
            KillTimer(hwnd_, kSizeMoveTimer);
            return 0;
        case WM_TIMER:
            if (wp == kSizeMoveTimer && host_.Client()) {
                THostClient* client = host_.Client();
                if (client->NextDeadline() <= host_.Now()) client->DispatchTimers();
                client->UpdateWindows();
            }
            return 0;
        case WM_NCHITTEST: {
            LRESULT hit = DefWindowProcW(hwnd_, msg, wp, lp);
            if (hit == HTCLIENT && kind_ == wkSizeable && IsWindowEnabled(hwnd_)) {
                POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                ScreenToClient(hwnd_, &p);
                if (events_.HostFrameHit({p.x, p.y}) == fhSizeBottomRight) return HTBOTTOMRIGHT;
            }
            return hit;
        }
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT) {
                ::SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
                tracking_ = TrackMouseEvent(&track) != FALSE;
            }
            events_.HostMouseMove(ClientPoint(lp), MouseShift(wp));
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            events_.HostMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseButton(mbLeft, true, msg == WM_LBUTTONDBLCLK ? 2 : 1, lp);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            MouseButton(mbRight, true, msg == WM_RBUTTONDBLCLK ? 2 : 1, lp);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            MouseButton(mbMiddle, true, msg == WM_MBUTTONDBLCLK ? 2 : 1, lp);
            return 0;
        case WM_LBUTTONUP:
            MouseButton(mbLeft, false, 1, lp);
            return 0;
        case WM_RBUTTONUP:
            MouseButton(mbRight, false, 1, lp);
            break;  // the system then sends the context-menu message
        case WM_MBUTTONUP:
            MouseButton(mbMiddle, false, 1, lp);
            return 0;
        case WM_MOUSEWHEEL: {
            // The wheel reports the pointer in screen coordinates.
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ScreenToClient(hwnd_, &p);
            events_.HostMouseWheel(GET_WHEEL_DELTA_WPARAM(wp), {p.x, p.y},
                                   MouseShift(GET_KEYSTATE_WPARAM(wp)));
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Alt+F4 stays the system's way to close a window.
            if (msg == WM_SYSKEYDOWN && wp == VK_F4) break;
            if (wp <= 0xFF) events_.HostKeyDown(static_cast<TKey>(wp), KeyboardShift());
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (wp <= 0xFF) events_.HostKeyUp(static_cast<TKey>(wp), KeyboardShift());
            // Releasing Alt alone would put the window into menu mode, which has no menu to
            // show and would swallow the next keys.
            return 0;
        case WM_SYSCHAR:
            // Alt+letter is an accelerator, already delivered as a key; Alt+Space still opens
            // the window menu.
            if (wp == L' ') break;
            return 0;
        case WM_CHAR: {
            const wchar_t unit = static_cast<wchar_t>(wp);
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                highSurrogate_ = unit;
                return 0;
            }
            char32_t ch = unit;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                if (!highSurrogate_) return 0;
                ch = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) +
                     (unit - 0xDC00);
            }
            highSurrogate_ = 0;
            // Control characters (Tab, Enter, Backspace, Ctrl+letter) arrive as keys.
            if (ch >= 0x20 && ch != 0x7F) events_.HostChar(ch);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void TWin32Window::MouseButton(TMouseButton button, bool down, int clicks, LPARAM lp) {
    const TPoint p = ClientPoint(lp);
    TShiftState shift = KeyboardShift();
    if (GetKeyState(VK_LBUTTON) < 0) shift |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) shift |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) shift |= ssMiddle;
    if (down) {
        events_.HostMouseDown(button, p, shift | ButtonShift(button), clicks);
    } else {
        events_.HostMouseUp(button, p, shift & static_cast<TShiftState>(~ButtonShift(button)));
    }
}

void TWin32Window::Sized(WPARAM kind, int width, int height) {
    if (kind == SIZE_MINIMIZED) {
        if (StoreChanged(state_, wsMinimized)) events_.HostStateChanged(wsMinimized);
        return;
    }
    const TWindowState state = kind == SIZE_MAXIMIZED ? wsMaximized : wsNormal;
    if (StoreChanged(state_, state)) events_.HostStateChanged(state);
    if (width != bounds_.Width() || height != bounds_.Height()) {
        bounds_ = Bounds(bounds_.Left, bounds_.Top, width, height);
        events_.HostResized(width, height);
    }
    // During a frame drag the message loop is the system's: repaint now.
    if (inSizeMove_ && host_.Client()) host_.Client()->UpdateWindows();
}

void TWin32Window::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!frame_) {
        // The system lost what was shown before the form first presented: ask for all of it.
        EndPaint(hwnd_, &ps);
        events_.HostExposed();
        return;
    }
    const TPixelBuffer& f = *frame_;
    const int left = std::max<int>(ps.rcPaint.left, 0);
    const int top = std::max<int>(ps.rcPaint.top, 0);
    const int right = std::min<int>(ps.rcPaint.right, f.Width());
    const int bottom = std::min<int>(ps.rcPaint.bottom, f.Height());
    if (dc && right > left && bottom > top) {
        // The rows of the paint area as a top-down DIB as wide as the frame.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = f.Width();
        info.bmiHeader.biHeight = -(bottom - top);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left),
                          static_cast<DWORD>(bottom - top), left, 0, 0,
                          static_cast<UINT>(bottom - top), f.Row(top), &info, DIB_RGB_COLORS);
    }
    EndPaint(hwnd_, &ps);
}

void TWin32Window::Present(const TPixelBuffer& frame, const TRegion& dirty) {
    if (!hwnd_) return;
    frame_ = &frame;
    for (const TRect& r : dirty.Rects()) {
        RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        InvalidateRect(hwnd_, &rc, FALSE);
    }
    UpdateWindow(hwnd_);
}

void TWin32Window::SetCaption(const std::string& caption) {
    if (hwnd_) SetWindowTextW(hwnd_, WideFromUtf8(caption).c_str());
}

void TWin32Window::SetClientBounds(const TRect& screenRect) {
    if (!hwnd_ || screenRect == bounds_) return;
    RECT r{screenRect.Left, screenRect.Top, screenRect.Left + std::max(1, screenRect.Width()),
           screenRect.Top + std::max(1, screenRect.Height())};
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    bounds_ = screenRect;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Window::SetVisible(bool visible) {
    if (!hwnd_) return;
    if (!visible) {
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    if (kind_ == wkPopup) {
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    ShowWindow(hwnd_, state_ == wsMaximized   ? SW_SHOWMAXIMIZED
                      : state_ == wsMinimized ? SW_SHOWMINIMIZED
                                              : SW_SHOWNORMAL);
}

void TWin32Window::SetEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void TWin32Window::SetState(TWindowState state) {
    if (!hwnd_) return;
    // A hidden window keeps the state for when it is shown; showing it now would be early.
    if (!IsWindowVisible(hwnd_)) {
        state_ = state;
        return;
    }
    ShowWindow(hwnd_, state == wsMaximized   ? SW_MAXIMIZE
                      : state == wsMinimized ? SW_MINIMIZE
                                             : SW_RESTORE);
}

void TWin32Window::Activate() {
    if (hwnd_ && kind_ != wkPopup) SetForegroundWindow(hwnd_);
}

void TWin32Window::SetCursor(TCursor shape) {
    cursor_ = shape == crNone ? nullptr : host_.SystemCursor(shape);
    POINT p;
    if (GetCursorPos(&p) && WindowFromPoint(p) == hwnd_) ::SetCursor(cursor_);
}

void TWin32Window::SetCapture(bool capture) {
    if (!hwnd_) return;
    if (capture) {
        ::SetCapture(hwnd_);
    } else if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
}
