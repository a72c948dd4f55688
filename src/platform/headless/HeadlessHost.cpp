#include "platform/headless/HeadlessHost.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "graphics/FontEngine.h"

THeadlessWindow::THeadlessWindow(THeadlessHost& host, const THostWindowParams& params,
                                 THostWindowEvents& events)
    : host_(host),
      events_(events),
      caption_(params.Caption),
      bounds_(params.ClientBounds),
      kind_(params.Kind),
      pixels_(0, 0, 0) {}

THeadlessWindow::~THeadlessWindow() {
    host_.Forget(this);
}

void THeadlessWindow::SetClientBounds(const TRect& screenRect) {
    // The pixels follow the frames presented, not the size asked for.
    bounds_ = screenRect;
}

void THeadlessWindow::SetVisible(bool visible) {
    if (!StoreChanged(visible_, visible)) return;
    if (!visible) {
        if (host_.mouseWindow_ == this) host_.mouseWindow_ = nullptr;
        if (host_.active_ == this) host_.Deactivate();
    }
}

void THeadlessWindow::Activate() {
    if (kind_ != wkPopup && visible_) host_.Activate(*this);
}

void THeadlessWindow::Present(const TPixelBuffer& frame, const TRegion& dirty) {
    if (frame.Width() != pixels_.Width() || frame.Height() != pixels_.Height())
        pixels_.Resize(frame.Width(), frame.Height(), 0);
    TRect all{0, 0, frame.Width(), frame.Height()};
    for (const TRect& rect : dirty.Rects()) {
        TRect r = rect.Intersect(all);
        for (int y = r.Top; y < r.Bottom; ++y)
            std::copy(frame.Row(y) + r.Left, frame.Row(y) + r.Right, pixels_.Row(y) + r.Left);
    }
    ++presentCount_;
    lastPresent_ = dirty.Bounds();
}

TColor THeadlessWindow::PixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= pixels_.Width() || y >= pixels_.Height()) return clNone;
    return RGBFromPixel(pixels_.Row(y)[x]);
}

THeadlessHost::THeadlessHost(TSize screen) : workArea_{0, 0, screen.cx, screen.cy} {}

THeadlessHost::THeadlessHost(TRect workArea) : workArea_(workArea) {}

THeadlessHost::~THeadlessHost() = default;

std::unique_ptr<THostWindow> THeadlessHost::CreateHostWindow(const THostWindowParams& params,
                                                             THostWindowEvents& events) {
    auto window = std::make_unique<THeadlessWindow>(*this, params, events);
    windows_.push_back(window.get());
    return window;
}

void THeadlessHost::Forget(THeadlessWindow* w) {
    std::erase(windows_, w);
    if (active_ == w) active_ = nullptr;
    if (mouseWindow_ == w) mouseWindow_ = nullptr;
    if (sizing_ == w) sizing_ = nullptr;
}

THeadlessWindow* THeadlessHost::TopWindow() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Kind() != wkPopup) return *it;
    return nullptr;
}

THeadlessWindow* THeadlessHost::FindWindow(const std::string& caption) const {
    for (THeadlessWindow* w : windows_)
        if (w->Caption() == caption) return w;
    return nullptr;
}

void THeadlessHost::AfterInput() {
    if (client_ && !batching_) client_->UpdateWindows();
}

void THeadlessHost::EndBatch() {
    batching_ = false;
    AfterInput();
}

void THeadlessHost::Activate(THeadlessWindow& w) {
    if (active_ == &w) return;
    THeadlessWindow* old = active_;
    active_ = &w;
    if (old) old->events_.HostActivate(false);
    if (active_ == &w) w.events_.HostActivate(true);
    AfterInput();
}

void THeadlessHost::Deactivate() {
    THeadlessWindow* old = active_;
    active_ = nullptr;
    if (old) old->events_.HostActivate(false);
}

void THeadlessHost::MouseMove(THeadlessWindow& w, int x, int y) {
    cursorPos_ = {w.bounds_.Left + x, w.bounds_.Top + y};
    if (sizing_) {
        THeadlessWindow& s = *sizing_;
        Resize(s, sizeStart_.cx + cursorPos_.X - sizeAnchor_.X,
               sizeStart_.cy + cursorPos_.Y - sizeAnchor_.Y);
        return;
    }
    if (!w.enabled_) return;
    if (mouseWindow_ != &w) {
        if (mouseWindow_) mouseWindow_->events_.HostMouseLeave();
        mouseWindow_ = &w;
    }
    w.events_.HostMouseMove({x, y}, Held());
    AfterInput();
}

void THeadlessHost::MouseDown(THeadlessWindow& w, int x, int y, TMouseButton button) {
    cursorPos_ = {w.bounds_.Left + x, w.bounds_.Top + y};
    if (!w.enabled_) return;
    if (button == mbLeft && w.kind_ == wkSizeable &&
        w.events_.HostFrameHit({x, y}) == fhSizeBottomRight) {
        // The platform takes over: the press becomes a frame resize drag.
        sizing_ = &w;
        sizeAnchor_ = cursorPos_;
        sizeStart_ = {w.bounds_.Width(), w.bounds_.Height()};
        return;
    }
    if (w.kind_ != wkPopup) Activate(w);
    buttons_ |= ButtonShift(button);
    w.events_.HostMouseDown(button, {x, y}, Held(), 1);
    AfterInput();
}

void THeadlessHost::MouseUp(THeadlessWindow& w, int x, int y, TMouseButton button) {
    cursorPos_ = {w.bounds_.Left + x, w.bounds_.Top + y};
    if (sizing_ && button == mbLeft) {
        sizing_ = nullptr;
        return;
    }
    buttons_ &= static_cast<TShiftState>(~ButtonShift(button));
    if (!w.enabled_) return;
    w.events_.HostMouseUp(button, {x, y}, Held());
    AfterInput();
}

void THeadlessHost::Click(THeadlessWindow& w, int x, int y, TMouseButton button) {
    MouseDown(w, x, y, button);
    MouseUp(w, x, y, button);
}

void THeadlessHost::DoubleClick(THeadlessWindow& w, int x, int y) {
    Click(w, x, y);
    if (!w.enabled_) return;
    buttons_ |= ssLeft;
    w.events_.HostMouseDown(mbLeft, {x, y}, Held(), 2);
    AfterInput();
    MouseUp(w, x, y);
}

void THeadlessHost::Wheel(THeadlessWindow& w, int x, int y, int notches) {
    cursorPos_ = {w.bounds_.Left + x, w.bounds_.Top + y};
    if (!w.enabled_) return;
    w.events_.HostMouseWheel(notches * WheelDelta, {x, y}, Held());
    AfterInput();
}

void THeadlessHost::MouseLeave(THeadlessWindow& w) {
    if (mouseWindow_ == &w) mouseWindow_ = nullptr;
    w.events_.HostMouseLeave();
    AfterInput();
}

void THeadlessHost::KeyDown(TKey key, TShiftState shift) {
    modifiers_ = shift & (ssShift | ssAlt | ssCtrl);
    if (!active_ || !active_->enabled_) return;
    active_->events_.HostKeyDown(key, Held());
    AfterInput();
}

void THeadlessHost::KeyUp(TKey key, TShiftState shift) {
    modifiers_ = shift & (ssShift | ssAlt | ssCtrl);
    if (active_ && active_->enabled_) {
        active_->events_.HostKeyUp(key, Held());
        AfterInput();
    }
    modifiers_ = 0;
}

void THeadlessHost::PressKey(TKey key, TShiftState shift) {
    KeyDown(key, shift);
    KeyUp(key, shift);
}

void THeadlessHost::Type(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t ch = NextCodePoint(text, pos);
        if (!active_ || !active_->enabled_) continue;
        active_->events_.HostChar(ch);
        AfterInput();
    }
}

void THeadlessHost::RequestClose(THeadlessWindow& w) {
    w.events_.HostCloseRequest();
    AfterInput();
}

void THeadlessHost::Resize(THeadlessWindow& w, int clientWidth, int clientHeight) {
    clientWidth = std::max(0, clientWidth);
    clientHeight = std::max(0, clientHeight);
    w.SetClientBounds(Bounds(w.bounds_.Left, w.bounds_.Top, clientWidth, clientHeight));
    w.events_.HostResized(clientWidth, clientHeight);
    AfterInput();
}

bool THeadlessHost::RunNextScheduled(std::uint64_t limit) {
    auto it = std::min_element(scheduled_.begin(), scheduled_.end(),
                               [](const TScheduled& a, const TScheduled& b) {
                                   return a.At != b.At ? a.At < b.At : a.Seq < b.Seq;
                               });
    if (it == scheduled_.end() || it->At > limit) return false;
    now_ = std::max(now_, it->At);
    std::function<void()> fn = std::move(it->Fn);
    scheduled_.erase(it);
    fn();
    return true;
}

void THeadlessHost::Advance(std::uint64_t ms) {
    std::uint64_t target = now_ + ms;
    for (;;) {
        std::uint64_t timer = client_ ? client_->NextDeadline() : kNoDeadline;
        std::uint64_t action = kNoDeadline;
        for (const TScheduled& s : scheduled_) action = std::min(action, s.At);
        std::uint64_t next = std::min(timer, action);
        if (next > target) break;
        if (action <= timer) {
            RunNextScheduled(action);
            AfterInput();
        } else {
            now_ = std::max(now_, timer);
            client_->DispatchTimers();
        }
    }
    now_ = std::max(now_, target);
    AfterInput();
}

void THeadlessHost::Schedule(std::uint64_t delayMs, std::function<void()> fn) {
    scheduled_.push_back({now_ + delayMs, scheduleSeq_++, std::move(fn)});
}

bool THeadlessHost::WaitEvents(std::uint64_t deadline) {
    if (RunNextScheduled(deadline)) return true;
    if (deadline == kNoDeadline) return false;
    now_ = std::max(now_, deadline);
    return true;
}

bool THeadlessHost::OpenURL(const std::string& address) {
    openedUrls_.push_back(address);
    return openUrlSucceeds_;
}
