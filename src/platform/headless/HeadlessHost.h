#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Host.h"
#include "graphics/Canvas.h"

class THeadlessHost;

// A window kept in memory: the pixels presented so far and the state the framework set.
class THeadlessWindow : public THostWindow {
  public:
    THeadlessWindow(THeadlessHost& host, const THostWindowParams& params,
                    THostWindowEvents& events);
    ~THeadlessWindow() override;

    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetIcon(const TPixelBuffer& icon) override { icon_ = icon; }
    void SetClientBounds(const TRect& screenRect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetState(TWindowState state) override { state_ = state; }
    void Activate() override;
    void Present(const TPixelBuffer& frame, const TRegion& dirty) override;
    void SetCursor(TCursor shape) override { cursor_ = shape; }
    void SetCapture(bool capture) override { captured_ = capture; }

    const std::string& Caption() const { return caption_; }
    const TPixelBuffer& Icon() const { return icon_; }
    TRect ClientBounds() const { return bounds_; }
    TWindowKind Kind() const { return kind_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    bool Captured() const { return captured_; }
    TWindowState State() const { return state_; }
    TCursor Cursor() const { return cursor_; }
    // What has been presented, at the size of the last frame presented (empty before).
    const TPixelBuffer& Pixels() const { return pixels_; }
    TColor PixelColor(int x, int y) const;  // clNone outside
    // How many Present calls, and the area of the last one.
    int PresentCount() const { return presentCount_; }
    TRect LastPresentBounds() const { return lastPresent_; }
    THostWindowEvents& Events() const { return events_; }

  private:
    friend class THeadlessHost;

    THeadlessHost& host_;
    THostWindowEvents& events_;
    std::string caption_;
    TPixelBuffer icon_;
    TRect bounds_;
    TWindowKind kind_;
    bool visible_ = false;
    bool enabled_ = true;
    bool captured_ = false;
    TWindowState state_ = wsNormal;
    TCursor cursor_ = crArrow;
    TPixelBuffer pixels_;
    int presentCount_ = 0;
    TRect lastPresent_;
};

// The host without a display. Input goes to a window as the platform would deliver it,
// followed by the repaint the message loop would do; time is virtual and moves only when told
// to (or when a loop waits), firing the timers in order.
class THeadlessHost : public THost {
  public:
    explicit THeadlessHost(TSize screen = {1280, 800});
    // A screen whose usable area is only part of it (a task bar at the top or left moves it
    // away from (0, 0)).
    explicit THeadlessHost(TRect workArea);
    ~THeadlessHost() override;

    // THost
    std::unique_ptr<THostWindow> CreateHostWindow(const THostWindowParams& params,
                                                  THostWindowEvents& events) override;
    void SetClient(THostClient* client) override { client_ = client; }
    TRect WorkArea() const override { return workArea_; }
    TPoint CursorPos() const override { return cursorPos_; }
    int CursorHeight() const override { return 20; }
    std::uint64_t Now() const override { return now_; }
    // Moves the clock to the earlier of deadline and the next scheduled action, and runs that
    // action. False when neither exists.
    bool WaitEvents(std::uint64_t deadline) override;
    bool OpenURL(const std::string& address) override;
    bool SetClipboardText(const std::string& text) override {
        clipboard_ = text;
        return true;
    }
    const std::string& ClipboardText() const { return clipboard_; }

    // Windows in creation order; Visible() tells which are shown.
    const std::vector<THeadlessWindow*>& Windows() const { return windows_; }
    // The visible framed window made last (the newest form shown), or null.
    THeadlessWindow* TopWindow() const;
    // The window that has the keyboard, or null.
    THeadlessWindow* ActiveWindow() const { return active_; }
    THeadlessWindow* FindWindow(const std::string& caption) const;

    // Mouse input at client coordinates of a window.
    void MouseMove(THeadlessWindow& w, int x, int y);
    void MouseDown(THeadlessWindow& w, int x, int y, TMouseButton button = mbLeft);
    void MouseUp(THeadlessWindow& w, int x, int y, TMouseButton button = mbLeft);
    void Click(THeadlessWindow& w, int x, int y, TMouseButton button = mbLeft);
    void DoubleClick(THeadlessWindow& w, int x, int y);
    // notches > 0 turns away from the user.
    void Wheel(THeadlessWindow& w, int x, int y, int notches);
    void MouseLeave(THeadlessWindow& w);
    // Keys go to the active window. Shift and modifier flags as held.
    void KeyDown(TKey key, TShiftState shift = 0);
    void KeyUp(TKey key, TShiftState shift = 0);
    void PressKey(TKey key, TShiftState shift = 0);
    // Types UTF-8 text as key presses of characters.
    void Type(const std::string& text);
    void Activate(THeadlessWindow& w);
    void Deactivate();
    void RequestClose(THeadlessWindow& w);
    void Resize(THeadlessWindow& w, int clientWidth, int clientHeight);

    // A batch: inputs given until EndBatch are handled one after the other with no paint
    // between them, and EndBatch then paints once, as a platform loop does with a queue of
    // inputs that arrived before it came round to painting.
    void BeginBatch() { batching_ = true; }
    void EndBatch();

    // Advances virtual time, firing every timer and scheduled action due on the way, in order.
    void Advance(std::uint64_t ms);
    // Runs fn when the virtual clock reaches now + delayMs, also inside a modal loop.
    void Schedule(std::uint64_t delayMs, std::function<void()> fn);

    const std::vector<std::string>& OpenedURLs() const { return openedUrls_; }
    // Whether OpenURL reports that the desktop took the address (it records it either way).
    void SetOpenURLSucceeds(bool ok) { openUrlSucceeds_ = ok; }

  private:
    friend class THeadlessWindow;
    void Forget(THeadlessWindow* w);
    void AfterInput();
    TShiftState Held() const { return buttons_ | modifiers_; }

    struct TScheduled {
        std::uint64_t At;
        std::uint64_t Seq;
        std::function<void()> Fn;
    };
    bool RunNextScheduled(std::uint64_t limit);

    TRect workArea_;
    THostClient* client_ = nullptr;
    std::uint64_t now_ = 0;
    TPoint cursorPos_;
    std::vector<THeadlessWindow*> windows_;
    THeadlessWindow* active_ = nullptr;
    THeadlessWindow* mouseWindow_ = nullptr;
    THeadlessWindow* sizing_ = nullptr;  // a frame resize drag is in progress
    TPoint sizeAnchor_;
    TSize sizeStart_;
    TShiftState buttons_ = 0;
    TShiftState modifiers_ = 0;
    bool batching_ = false;
    std::vector<TScheduled> scheduled_;
    std::uint64_t scheduleSeq_ = 0;
    std::vector<std::string> openedUrls_;
    bool openUrlSucceeds_ = true;
    std::string clipboard_;
};
