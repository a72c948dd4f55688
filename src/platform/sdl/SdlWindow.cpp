#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/Canvas.h"
#include "platform/sdl/SdlHost.h"
#include "platform/sdl/SdlWindow_p.h"

namespace {

SDL_HitTestResult HitTest(SDL_Window*, const SDL_Point* area, void* data) {
    auto* w = static_cast<TSdlWindow*>(data);
    if (w->InputEnabled() && w->Events().HostFrameHit({area->x, area->y}) == fhSizeBottomRight)
        return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    return SDL_HITTEST_NORMAL;
}

}  // namespace

TSdlWindow::TSdlWindow(TSdlHost& host, const THostWindowParams& params, THostWindowEvents& events)
    : host_(host), events_(events), kind_(params.Kind), bounds_(params.ClientBounds) {
    std::uint32_t flags = SDL_WINDOW_HIDDEN;
    if (kind_ == wkSizeable) flags |= SDL_WINDOW_RESIZABLE;
    if (kind_ == wkPopup)
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR |
                 SDL_WINDOW_ALWAYS_ON_TOP;
    window_ = SDL_CreateWindow(params.Caption.c_str(), bounds_.Left, bounds_.Top,
                               std::max(1, bounds_.Width()), std::max(1, bounds_.Height()), flags);
    if (!window_) return;
    id_ = SDL_GetWindowID(window_);
    if (kind_ == wkSizeable) SDL_SetWindowHitTest(window_, HitTest, this);
}

TSdlWindow::~TSdlWindow() {
    host_.windows_.erase(id_);
    if (window_) SDL_DestroyWindow(window_);
}

void TSdlWindow::HandleWindowEvent(std::uint8_t event, int data1, int data2) {
    switch (event) {
        case SDL_WINDOWEVENT_CLOSE:
            if (enabled_) events_.HostCloseRequest();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            events_.HostExposed();
            break;
        case SDL_WINDOWEVENT_MOVED:
            bounds_ = Bounds(data1, data2, bounds_.Width(), bounds_.Height());
            events_.HostMoved({data1, data2});
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (data1 == bounds_.Width() && data2 == bounds_.Height()) break;
            bounds_ = Bounds(bounds_.Left, bounds_.Top, data1, data2);
            events_.HostResized(data1, data2);
            break;
        case SDL_WINDOWEVENT_LEAVE:
            events_.HostMouseLeave();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            events_.HostActivate(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            events_.HostActivate(false);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            events_.HostStateChanged(wsMaximized);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            events_.HostStateChanged(wsMinimized);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            events_.HostStateChanged(wsNormal);
            break;
        default:
            break;
    }
}

void TSdlWindow::TakeFocus() {
    if (window_) SDL_SetWindowInputFocus(window_);
}

void TSdlWindow::SetIcon(const TPixelBuffer& icon) {
    if (!window_ || icon.Width() <= 0 || icon.Height() <= 0) return;
    // The pixels are 0xAARRGGBB words, as SDL's ARGB8888 reads them.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<TPixel*>(icon.Data()), icon.Width(), icon.Height(), 32,
        icon.Width() * static_cast<int>(sizeof(TPixel)), SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void TSdlWindow::SetCaption(const std::string& caption) {
    if (window_) SDL_SetWindowTitle(window_, caption.c_str());
}

void TSdlWindow::SetClientBounds(const TRect& r) {
    if (!window_ || r == bounds_) return;
    if (r.Left != bounds_.Left || r.Top != bounds_.Top)
        SDL_SetWindowPosition(window_, r.Left, r.Top);
    if (r.Width() != bounds_.Width() || r.Height() != bounds_.Height())
        SDL_SetWindowSize(window_, std::max(1, r.Width()), std::max(1, r.Height()));
    bounds_ = r;
}

void TSdlWindow::SetVisible(bool visible) {
    if (!window_) return;
    if (visible)
        SDL_ShowWindow(window_);
    else
        SDL_HideWindow(window_);
}

void TSdlWindow::SetState(TWindowState state) {
    if (!window_) return;
    switch (state) {
        case wsMaximized:
            SDL_MaximizeWindow(window_);
            break;
        case wsMinimized:
            SDL_MinimizeWindow(window_);
            break;
        default:
            SDL_RestoreWindow(window_);
            break;
    }
}

void TSdlWindow::Activate() {
    if (window_ && kind_ != wkPopup) SDL_RaiseWindow(window_);
}

void TSdlWindow::Present(const TPixelBuffer& frame, const TRegion& dirty) {
    if (!window_) return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return;
    TRect all =
        Rect(0, 0, std::min(frame.Width(), surface->w), std::min(frame.Height(), surface->h));
    bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                  surface->format->format == SDL_PIXELFORMAT_ARGB8888;
    std::vector<SDL_Rect> rects;
    SDL_LockSurface(surface);
    for (const TRect& d : dirty.Rects()) {
        TRect r = d.Intersect(all);
        if (r.IsEmpty()) continue;
        auto* dst = static_cast<std::uint8_t*>(surface->pixels) + r.Top * surface->pitch +
                    r.Left * surface->format->BytesPerPixel;
        const TPixel* src = frame.Row(r.Top) + r.Left;
        int srcPitch = frame.Width() * static_cast<int>(sizeof(TPixel));
        if (direct) {
            for (int y = 0; y < r.Height(); ++y)
                std::memcpy(dst + y * surface->pitch, src + y * frame.Width(),
                            static_cast<std::size_t>(r.Width()) * sizeof(TPixel));
        } else {
            SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, src, srcPitch,
                              surface->format->format, dst, surface->pitch);
        }
        rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
    }
    SDL_UnlockSurface(surface);
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
}

void TSdlWindow::SetCursor(TCursor shape) {
    if (shape == crNone) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    if (SDL_Cursor* cursor = host_.SystemCursor(shape)) SDL_SetCursor(cursor);
}

void TSdlWindow::SetCapture(bool capture) {
    SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}
