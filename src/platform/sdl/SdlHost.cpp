#include "platform/sdl/SdlHost.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "graphics/FontEngine.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlWindow_p.h"

TResult<std::unique_ptr<TSdlHost>> TSdlHost::Open() {
    // The desktop's compositor keeps running while Vigil is open.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Frames are copied to the plain window surface; probing OpenGL for a faster path costs
    // far more at start-up than it could save for a window this small.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Only real displays: SDL's last resort is an invisible window that nobody could close.
    // SDL_VIDEODRIVER in the environment still wins.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return TError(std::string(SDL_GetError()) + " (no display; set DISPLAY or use xvfb-run)");
    SDL_StartTextInput();
    return std::unique_ptr<TSdlHost>(new TSdlHost());
}

TSdlHost::~TSdlHost() {
    for (auto& [shape, cursor] : cursors_) SDL_FreeCursor(cursor);
    SDL_Quit();
}

std::unique_ptr<THostWindow> TSdlHost::CreateHostWindow(const THostWindowParams& params,
                                                        THostWindowEvents& events) {
    auto window = std::make_unique<TSdlWindow>(*this, params, events);
    if (window->Id() != 0) windows_[window->Id()] = window.get();
    return window;
}

TSdlWindow* TSdlHost::WindowById(std::uint32_t id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

TRect TSdlHost::WorkArea() const {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayUsableBounds(0, &r);
    return Bounds(r.x, r.y, r.w, r.h);
}

TPoint TSdlHost::CursorPos() const {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

std::uint64_t TSdlHost::Now() const {
    return SDL_GetTicks64();
}

SDL_Cursor* TSdlHost::SystemCursor(TCursor shape) {
    auto it = cursors_.find(shape);
    if (it != cursors_.end()) return it->second;
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (shape) {
        case crIBeam:
            id = SDL_SYSTEM_CURSOR_IBEAM;
            break;
        case crCross:
            id = SDL_SYSTEM_CURSOR_CROSSHAIR;
            break;
        case crSizeNWSE:
            id = SDL_SYSTEM_CURSOR_SIZENWSE;
            break;
        case crSizeNESW:
            id = SDL_SYSTEM_CURSOR_SIZENESW;
            break;
        case crSizeWE:
            id = SDL_SYSTEM_CURSOR_SIZEWE;
            break;
        case crSizeNS:
            id = SDL_SYSTEM_CURSOR_SIZENS;
            break;
        case crSizeAll:
            id = SDL_SYSTEM_CURSOR_SIZEALL;
            break;
        case crHandPoint:
            id = SDL_SYSTEM_CURSOR_HAND;
            break;
        case crNo:
            id = SDL_SYSTEM_CURSOR_NO;
            break;
        case crHourGlass:
            id = SDL_SYSTEM_CURSOR_WAIT;
            break;
        default:
            break;
    }
    SDL_Cursor* cursor = SDL_CreateSystemCursor(id);
    cursors_[shape] = cursor;
    return cursor;
}

bool TSdlHost::WaitEvents(std::uint64_t deadline) {
    int timeout = -1;
    if (deadline != kNoDeadline) {
        std::uint64_t now = Now();
        std::uint64_t wait = deadline > now ? deadline - now : 0;
        timeout = static_cast<int>(std::min<std::uint64_t>(wait, INT_MAX));
    }
    SDL_Event e;
    int got = source_       ? WaitWithSource(e, timeout)
              : timeout < 0 ? SDL_WaitEvent(&e)
                            : SDL_WaitEventTimeout(&e, timeout);
    if (!got) return true;
    Dispatch(e);
    while (SDL_PollEvent(&e)) Dispatch(e);
    SettleFocus();
    return true;
}

bool TSdlHost::HoldFocusEvent(TSdlWindow& w, std::uint8_t event) {
    bool popup = w.Kind() == wkPopup;
    if (event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        if (popup) popupFocused_ = true;
        if (pendingLost_ == w.Id()) pendingLost_ = 0;
        return popup;
    }
    if (event == SDL_WINDOWEVENT_FOCUS_LOST) {
        if (!popup) pendingLost_ = w.Id();
        return true;
    }
    return false;
}

void TSdlHost::SettleFocus() {
    bool popupFocused = popupFocused_;
    popupFocused_ = false;
    TSdlWindow* w = pendingLost_ ? WindowById(pendingLost_) : nullptr;
    pendingLost_ = 0;
    if (!w) return;
    if (popupFocused)
        w->TakeFocus();
    else
        w->Events().HostActivate(false);
}

namespace {

TShiftState MouseShift(std::uint32_t buttons) {
    TShiftState s = ModifierShift(SDL_GetModState());
    if (buttons & SDL_BUTTON_LMASK) s |= ssLeft;
    if (buttons & SDL_BUTTON_RMASK) s |= ssRight;
    if (buttons & SDL_BUTTON_MMASK) s |= ssMiddle;
    return s;
}

bool MapButton(std::uint8_t sdl, TMouseButton& out) {
    switch (sdl) {
        case SDL_BUTTON_LEFT:
            out = mbLeft;
            return true;
        case SDL_BUTTON_RIGHT:
            out = mbRight;
            return true;
        case SDL_BUTTON_MIDDLE:
            out = mbMiddle;
            return true;
        default:
            return false;
    }
}

}  // namespace

void TSdlHost::Dispatch(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        // A termination signal: ask the framed windows to close, newest first.
        std::vector<TSdlWindow*> framed;
        for (auto& [id, w] : windows_)
            if (w->Kind() != wkPopup) framed.push_back(w);
        for (auto it = framed.rbegin(); it != framed.rend(); ++it)
            (*it)->Events().HostCloseRequest();
        return;
    }
    std::uint32_t id = 0;
    switch (e.type) {
        case SDL_WINDOWEVENT:
            id = e.window.windowID;
            break;
        case SDL_MOUSEMOTION:
            id = e.motion.windowID;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            id = e.button.windowID;
            break;
        case SDL_MOUSEWHEEL:
            id = e.wheel.windowID;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            id = e.key.windowID;
            break;
        case SDL_TEXTINPUT:
            id = e.text.windowID;
            break;
        default:
            return;
    }
    TSdlWindow* w = WindowById(id);
    if (!w) return;
    THostWindowEvents& ev = w->Events();
    if (e.type == SDL_WINDOWEVENT) {
        if (HoldFocusEvent(*w, e.window.event)) return;
        w->HandleWindowEvent(e.window.event, e.window.data1, e.window.data2);
        return;
    }
    if (!w->InputEnabled()) return;
    switch (e.type) {
        case SDL_MOUSEMOTION:
            ev.HostMouseMove({e.motion.x, e.motion.y}, MouseShift(e.motion.state));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            TMouseButton b;
            if (!MapButton(e.button.button, b)) break;
            TShiftState shift = MouseShift(SDL_GetMouseState(nullptr, nullptr));
            if (e.type == SDL_MOUSEBUTTONDOWN)
                ev.HostMouseDown(b, {e.button.x, e.button.y}, shift | ButtonShift(b),
                                 std::max<int>(1, e.button.clicks));
            else
                ev.HostMouseUp(b, {e.button.x, e.button.y}, shift);
            break;
        }
        case SDL_MOUSEWHEEL: {
            int y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            if (y == 0) break;
            int mx = 0, my = 0;
            std::uint32_t buttons = SDL_GetMouseState(&mx, &my);
            ev.HostMouseWheel(y * WheelDelta, {mx, my}, MouseShift(buttons));
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            TKey key = KeyFromSdl(e.key.keysym.sym);
            if (key == 0) break;
            TShiftState shift = ModifierShift(e.key.keysym.mod);
            if (e.type == SDL_KEYDOWN)
                ev.HostKeyDown(key, shift);
            else
                ev.HostKeyUp(key, shift);
            break;
        }
        case SDL_TEXTINPUT: {
            // With Ctrl or Alt held the key is a command or accelerator, already delivered as
            // a key; its letter must not arrive a second time.
            if (SDL_GetModState() & (KMOD_CTRL | KMOD_ALT)) break;
            std::string_view text(e.text.text);
            std::size_t pos = 0;
            while (pos < text.size()) ev.HostChar(NextCodePoint(text, pos));
            break;
        }
        default:
            break;
    }
}

bool TSdlHost::OpenURL(const std::string& address) {
    // An address that reads as an option would be taken as one by the desktop's opener.
    if (address.empty() || address[0] == '-') return false;
    if (UrlOpener) return UrlOpener(address);
    return SDL_OpenURL(address.c_str()) == 0;
}

bool TSdlHost::SetClipboardText(const std::string& text) {
    return SDL_SetClipboardText(text.c_str()) == 0;
}
