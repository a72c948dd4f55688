// The host's own header comes first: the X11 headers that SDL_syswm.h pulls in define
// macros that clash with the framework's names.
// clang-format off
#include "platform/sdl/SdlHost.h"
// clang-format on

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <vector>

namespace {

// Where the display gives no descriptor (not X11), the wait is cut into slices this long so
// that window input is still seen in time.
constexpr int kSliceMs = 50;

}  // namespace

int TSdlHost::DisplayFd() const {
    for (const auto& [id, window] : windows_) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        SDL_Window* w = SDL_GetWindowFromID(id);
        if (!w || !SDL_GetWindowWMInfo(w, &info)) continue;
#if defined(SDL_VIDEO_DRIVER_X11)
        if (info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
#endif
    }
    return -1;
}

bool TSdlHost::WaitWithSource(SDL_Event& e, int timeoutMs) {
    // Reading what the display has sent empties its queue, so the poll below sleeps only
    // while nothing is waiting.
    if (SDL_PollEvent(&e)) return true;
    std::vector<THostWaitFd> fds;
    int limit = source_->PrepareWait(fds);
    std::vector<pollfd> polled;
    polled.reserve(fds.size() + 1);
    for (const THostWaitFd& f : fds) polled.push_back({f.Fd, f.Events, 0});
    if (int display = DisplayFd(); display >= 0) {
        polled.push_back({display, POLLIN, 0});
    } else {
        limit = limit < 0 ? kSliceMs : std::min(limit, kSliceMs);
    }
    int wait = timeoutMs < 0 ? limit : limit < 0 ? timeoutMs : std::min(limit, timeoutMs);
    poll(polled.data(), polled.size(), wait);
    for (std::size_t i = 0; i < fds.size(); ++i) fds[i].REvents = polled[i].revents;
    source_->DispatchReady(fds);
    return SDL_PollEvent(&e);
}
