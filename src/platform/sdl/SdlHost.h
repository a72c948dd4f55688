#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "base/Result.h"
#include "framework/Host.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;
class TSdlWindow;

// Real windows through SDL2, one per form. Idle waits in SDL_WaitEventTimeout until input or
// the next timer; it never polls.
class TSdlHost : public THost {
  public:
    // Connects to the display; fails with the reason when there is none.
    static TResult<std::unique_ptr<TSdlHost>> Open();
    ~TSdlHost() override;
    TSdlHost(const TSdlHost&) = delete;
    TSdlHost& operator=(const TSdlHost&) = delete;

    std::unique_ptr<THostWindow> CreateHostWindow(const THostWindowParams& params,
                                                  THostWindowEvents& events) override;
    void SetClient(THostClient* client) override { client_ = client; }
    TRect WorkArea() const override;
    TPoint CursorPos() const override;
    int CursorHeight() const override { return 20; }
    std::uint64_t Now() const override;
    bool WaitEvents(std::uint64_t deadline) override;
    bool OpenURL(const std::string& address) override;
    bool SetClipboardText(const std::string& text) override;
    void SetEventSource(THostEventSource* source) override { source_ = source; }

    // The program's way of opening addresses; SDL's own when unset.
    std::function<bool(const std::string&)> UrlOpener;

    // The platform cursor for a standard shape, made once.
    SDL_Cursor* SystemCursor(TCursor shape);

  private:
    TSdlHost() = default;
    friend class TSdlWindow;
    void Dispatch(const SDL_Event& e);
    // Without a window manager the platform gives the keyboard to every window shown, hint
    // windows too; a framed window losing it to one of ours gets it back instead of being
    // told (and cancelling the very hint that took it).
    bool HoldFocusEvent(TSdlWindow& w, std::uint8_t event);
    void SettleFocus();
    TSdlWindow* WindowById(std::uint32_t id) const;
    // Waits for the display and the event source together; true with an event in e.
    bool WaitWithSource(SDL_Event& e, int timeoutMs);
    // The display connection's descriptor, or -1 where the video driver has none to give.
    int DisplayFd() const;

    THostClient* client_ = nullptr;
    THostEventSource* source_ = nullptr;
    std::map<std::uint32_t, TSdlWindow*> windows_;
    std::map<TCursor, SDL_Cursor*> cursors_;
    std::uint32_t pendingLost_ = 0;
    bool popupFocused_ = false;
};
