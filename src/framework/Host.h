#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Cursors.h"
#include "framework/DisplaySettings.h"
#include "framework/Keys.h"
#include "graphics/Geometry.h"

class TPixelBuffer;
class TRegion;

// The platform side of windows, input and time. Three hosts implement it: the SDL2 host
// (platform/sdl) and the win32 host (platform/win32) with real windows, and the headless host
// (platform/headless) in memory with a virtual clock, for tests, benchmarks and screenshots.
// Forms are the only users of host windows.

enum TWindowKind : std::uint8_t {
    wkSizeable,  // framed, resizable main window
    wkDialog,    // framed, fixed size
    wkPopup,     // no frame, never takes focus (hint windows)
};

enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

// What a mouse press at a point of the client area means to the window frame.
enum TFrameHit : std::uint8_t { fhClient, fhSizeBottomRight };

struct THostWindowParams {
    std::string Caption;
    TRect ClientBounds;  // in screen coordinates
    TWindowKind Kind = wkSizeable;
};

// Input and notifications a host window delivers, in client coordinates. Implemented by TForm.
class THostWindowEvents {
  public:
    virtual void HostMouseMove(TPoint pos, TShiftState shift) = 0;
    // clicks is 2 for the second press of a double click.
    virtual void HostMouseDown(TMouseButton button, TPoint pos, TShiftState shift, int clicks) = 0;
    virtual void HostMouseUp(TMouseButton button, TPoint pos, TShiftState shift) = 0;
    // delta: WheelDelta per notch, positive away from the user.
    virtual void HostMouseWheel(int delta, TPoint pos, TShiftState shift) = 0;
    virtual void HostMouseLeave() = 0;
    virtual void HostKeyDown(TKey key, TShiftState shift) = 0;
    virtual void HostKeyUp(TKey key, TShiftState shift) = 0;
    // Text typed, one code point at a time (already composed by the platform).
    virtual void HostChar(char32_t ch) = 0;
    virtual void HostActivate(bool active) = 0;
    virtual void HostMoved(TPoint clientTopLeft) = 0;
    virtual void HostResized(int clientWidth, int clientHeight) = 0;
    virtual void HostStateChanged(TWindowState state) = 0;
    // The user asked to close the window (frame button, window manager).
    virtual void HostCloseRequest() = 0;
    // The host lost the presented pixels; every pixel must be presented again.
    virtual void HostExposed() = 0;
    virtual TFrameHit HostFrameHit(TPoint pos) = 0;

  protected:
    ~THostWindowEvents() = default;
};

class THostWindow {
  public:
    virtual ~THostWindow() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // The picture the desktop shows for the window (title bar, task switcher); hosts without
    // one ignore it.
    virtual void SetIcon(const TPixelBuffer&) {}
    virtual void SetClientBounds(const TRect& screenRect) = 0;
    virtual void SetVisible(bool visible) = 0;
    // A disabled window takes no input (the other windows while a modal form runs).
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetState(TWindowState state) = 0;
    // Raises the window and gives it the keyboard.
    virtual void Activate() = 0;
    // Shows the frame's pixels inside dirty (client coordinates) in one copy.
    virtual void Present(const TPixelBuffer& frame, const TRegion& dirty) = 0;
    virtual void SetCursor(TCursor shape) = 0;
    // While captured, mouse input arrives even when the pointer is outside the window.
    virtual void SetCapture(bool capture) = 0;
};

// The framework's side of the message loop; implemented by TApplication. The headless host
// calls it to fire timers as its virtual clock advances.
class THostClient {
  public:
    // The time in milliseconds of the next timer due, or kNoDeadline.
    virtual std::uint64_t NextDeadline() const = 0;
    // Fires every timer that is due, then repaints what became invalid.
    virtual void DispatchTimers() = 0;
    // Repaints and presents every window with invalid areas.
    virtual void UpdateWindows() = 0;

  protected:
    ~THostClient() = default;
};

inline constexpr std::uint64_t kNoDeadline = UINT64_MAX;

// A descriptor the loop watches besides its windows' input, with poll()'s event bits.
struct THostWaitFd {
    int Fd = -1;
    short Events = 0;
    short REvents = 0;
};

// Work from outside the windows that the loop serves while it waits, such as a connection to
// an accessibility bus: the host waits on these descriptors and the windows together, so that
// neither side has to poll the other.
class THostEventSource {
  public:
    // Before a wait: fills in the descriptors to watch; returns the longest wait in
    // milliseconds, or -1 for no limit.
    virtual int PrepareWait(std::vector<THostWaitFd>& fds) = 0;
    // After the wait, with the descriptors as the wait left them: handles what is ready.
    virtual void DispatchReady(std::vector<THostWaitFd>& fds) = 0;

  protected:
    ~THostEventSource() = default;
};

class THost {
  public:
    virtual ~THost() = default;

    virtual std::unique_ptr<THostWindow> CreateHostWindow(const THostWindowParams& params,
                                                          THostWindowEvents& events) = 0;
    virtual void SetClient(THostClient* client) = 0;

    // The usable screen area, for centring windows.
    virtual TRect WorkArea() const = 0;
    virtual TPoint CursorPos() const = 0;  // screen coordinates
    // Height of the arrow cursor's image; hints are shown that far below the pointer.
    virtual int CursorHeight() const = 0;

    // Monotonic milliseconds.
    virtual std::uint64_t Now() const = 0;
    // Waits until input arrives or the clock reaches deadline, and delivers the input to its
    // windows. Returns false when nothing can ever arrive again, so a loop must end.
    virtual bool WaitEvents(std::uint64_t deadline) = 0;

    // The screen's and the user's settings as the platform reports them; each application
    // reads them once, when it is made.
    virtual TDisplaySettings DisplaySettings() const { return {}; }

    // Serves source from the loop's waits from now on (null: none); hosts that cannot wait on
    // descriptors ignore it.
    virtual void SetEventSource(THostEventSource* source) { (void)source; }

    // Hands an address to the desktop's handler; false when that could not be started.
    virtual bool OpenURL(const std::string& address) = 0;
    // Puts text on the desktop's clipboard; false when there is none to take it.
    virtual bool SetClipboardText(const std::string& text) {
        (void)text;
        return false;
    }
};
