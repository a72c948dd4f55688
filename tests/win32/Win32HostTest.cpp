#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/PixelBuffer.h"
#include "graphics/Region.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Window_p.h"

namespace {

// What a form would be told, one line per event.
class TRecorder : public THostWindowEvents {
  public:
    std::vector<std::string> Log;
    TFrameHit Hit = fhClient;

    void HostMouseMove(TPoint p, TShiftState s) override { Add("move", p, s); }
    void HostMouseDown(TMouseButton b, TPoint p, TShiftState s, int clicks) override {
        Add("down" + std::to_string(b) + "x" + std::to_string(clicks), p, s);
    }
    void HostMouseUp(TMouseButton b, TPoint p, TShiftState s) override {
        Add("up" + std::to_string(b), p, s);
    }
    void HostMouseWheel(int delta, TPoint p, TShiftState s) override {
        Add("wheel" + std::to_string(delta), p, s);
    }
    void HostMouseLeave() override { Log.push_back("leave"); }
    void HostKeyDown(TKey k, TShiftState) override { Log.push_back("key" + std::to_string(k)); }
    void HostKeyUp(TKey k, TShiftState) override { Log.push_back("keyup" + std::to_string(k)); }
    void HostChar(char32_t c) override { Log.push_back("char" + std::to_string(c)); }
    void HostActivate(bool a) override { Log.push_back(a ? "active" : "inactive"); }
    void HostMoved(TPoint) override {}
    void HostResized(int w, int h) override {
        Log.push_back("size" + std::to_string(w) + "x" + std::to_string(h));
    }
    void HostStateChanged(TWindowState s) override { Log.push_back("state" + std::to_string(s)); }
    void HostCloseRequest() override { Log.push_back("close"); }
    void HostExposed() override { Log.push_back("exposed"); }
    TFrameHit HostFrameHit(TPoint) override { return Hit; }

    bool Has(const std::string& line) const {
        return std::find(Log.begin(), Log.end(), line) != Log.end();
    }

  private:
    void Add(const std::string& what, TPoint p, TShiftState s) {
        Log.push_back(what + "@" + std::to_string(p.X) + "," + std::to_string(p.Y) + "s" +
                      std::to_string(s));
    }
};

class Win32HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TResult<std::unique_ptr<TWin32Host>> opened = TWin32Host::Open();
        ASSERT_TRUE(opened.Ok()) << opened.Error();
        host_ = std::move(opened).Value();
    }

    std::unique_ptr<TWin32Window> Make(TWindowKind kind, const TRect& bounds) {
        THostWindowParams params;
        params.Caption = "Vigil 测试";
        params.ClientBounds = bounds;
        params.Kind = kind;
        auto w = host_->CreateHostWindow(params, events_);
        return std::unique_ptr<TWin32Window>(static_cast<TWin32Window*>(w.release()));
    }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    std::unique_ptr<TWin32Host> host_;
    TRecorder events_;
};

TEST_F(Win32HostTest, TheShellIsGivenTheMainWindowAsOwner) {
    EXPECT_EQ(host_->OwnerWindow(), nullptr) << "no window yet";
    auto main = Make(wkSizeable, Rect(100, 100, 400, 300));
    auto about = Make(wkDialog, Rect(150, 150, 350, 250));
    EXPECT_EQ(host_->OwnerWindow(), main->Handle());
    main.reset();
    EXPECT_EQ(host_->OwnerWindow(), about->Handle());
}

TEST_F(Win32HostTest, ClientAreaIsWhereTheFormPutIt) {
    for (TWindowKind kind : {wkSizeable, wkDialog, wkPopup}) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto w = Make(kind, Bounds(120, 90, 300, 200));
        ASSERT_NE(w->Handle(), nullptr);
        RECT client;
        GetClientRect(w->Handle(), &client);
        EXPECT_EQ(client.right, 300);
        EXPECT_EQ(client.bottom, 200);
        POINT origin{0, 0};
        ClientToScreen(w->Handle(), &origin);
        EXPECT_EQ(origin.x, 120);
        EXPECT_EQ(origin.y, 90);
        w->SetClientBounds(Bounds(50, 60, 410, 220));
        GetClientRect(w->Handle(), &client);
        EXPECT_EQ(client.right, 410);
        EXPECT_EQ(client.bottom, 220);
        // The caption is the form's, in UTF-16.
        wchar_t caption[32] = {};
        GetWindowTextW(w->Handle(), caption, 32);
        if (kind != wkPopup) EXPECT_STREQ(caption, L"Vigil \u6d4b\u8bd5");
    }
}

TEST_F(Win32HostTest, FramesFitTheirKind) {
    struct TCase {
        TWindowKind Kind;
        bool Sizeable;
        bool Maximize;
        bool SystemMenu;
        bool TakesFocus;
    } cases[] = {{wkSizeable, true, true, true, true},
                 {wkDialog, false, false, true, true},
                 {wkPopup, false, false, false, false}};
    for (const TCase& c : cases) {
        auto w = Make(c.Kind, Bounds(10, 10, 100, 80));
        const LONG_PTR style = GetWindowLongPtrW(w->Handle(), GWL_STYLE);
        const LONG_PTR ex = GetWindowLongPtrW(w->Handle(), GWL_EXSTYLE);
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.Sizeable);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.Maximize);
        EXPECT_EQ((style & WS_SYSMENU) != 0, c.SystemMenu);
        EXPECT_EQ((ex & WS_EX_NOACTIVATE) == 0, c.TakesFocus);
        EXPECT_EQ(SendMessageW(w->Handle(), WM_MOUSEACTIVATE, 0, 0) == MA_NOACTIVATE,
                  !c.TakesFocus);
    }
}

TEST_F(Win32HostTest, MouseReachesTheFormInClientCoordinates) {
    auto w = Make(wkSizeable, Bounds(100, 100, 300, 200));
    HWND h = w->Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, At(10, 20));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 21));
    SendMessageW(h, WM_LBUTTONUP, 0, At(11, 21));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, At(11, 21));
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, At(5, 6));
    // The wheel reports screen coordinates.
    SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), At(130, 150));
    const std::vector<std::string> expected = {"move@10,20s0",   "down0x1@11,21s8",
                                               "up0@11,21s0",    "down0x2@11,21s8",
                                               "down1x1@5,6s16", "wheel-120@30,50s0"};
    std::vector<std::string> mouse;
    for (const std::string& line : events_.Log)
        if (line.find('@') != std::string::npos) mouse.push_back(line);
    EXPECT_EQ(mouse, expected);
}

TEST_F(Win32HostTest, KeysAndTypedCharacters) {
    auto w = Make(wkSizeable, Bounds(100, 100, 300, 200));
    HWND h = w->Handle();
    SendMessageW(h, WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(h, WM_CHAR, L'\t', 0);  // Tab arrives as a key, not as text
    SendMessageW(h, WM_SYSKEYDOWN, 'R', 1 << 29);
    SendMessageW(h, WM_SYSCHAR, L'r', 1 << 29);  // Alt+R is an accelerator only
    SendMessageW(h, WM_CHAR, L'a', 0);
    SendMessageW(h, WM_CHAR, 0x5F20, 0);  // 张
    SendMessageW(h, WM_CHAR, 0xD83D, 0);  // one character beyond the BMP, in two halves
    SendMessageW(h, WM_CHAR, 0xDE00, 0);
    SendMessageW(h, WM_CHAR, 0xDE00, 0);  // a lone low half is dropped
    SendMessageW(h, WM_KEYUP, VK_TAB, 0);
    const std::vector<std::string> expected = {"key9",      "key82",      "char97",
                                               "char24352", "char128512", "keyup9"};
    EXPECT_EQ(events_.Log, expected);
}

TEST_F(Win32HostTest, ClosingAsksTheFormUnlessDisabled) {
    auto w = Make(wkSizeable, Bounds(100, 100, 300, 200));
    SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(std::count(events_.Log.begin(), events_.Log.end(), "close"), 1);
    EXPECT_TRUE(IsWindow(w->Handle()));  // the form decides
    w->SetEnabled(false);
    SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(std::count(events_.Log.begin(), events_.Log.end(), "close"), 1);
}

TEST_F(Win32HostTest, TheSizeGripIsAFrameCorner) {
    auto w = Make(wkSizeable, Bounds(100, 100, 300, 200));
    events_.Hit = fhSizeBottomRight;
    EXPECT_EQ(SendMessageW(w->Handle(), WM_NCHITTEST, 0, At(390, 290)), HTBOTTOMRIGHT);
    events_.Hit = fhClient;
    EXPECT_EQ(SendMessageW(w->Handle(), WM_NCHITTEST, 0, At(390, 290)), HTCLIENT);
}

COLORREF ScreenPixel(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

TEST_F(Win32HostTest, PresentCopiesOnlyTheDirtyArea) {
    auto w = Make(wkSizeable, Bounds(100, 100, 120, 80));
    TPixelBuffer frame(120, 80, 0xFFFF0000u);  // red
    w->SetVisible(true);
    w->Present(frame, TRegion(Rect(0, 0, 120, 80)));
    EXPECT_EQ(ScreenPixel(w->Handle(), 5, 5), 0x0000FFu);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) frame.Row(y)[x] = 0xFF0000FFu;  // blue everywhere
    w->Present(frame, TRegion(Rect(10, 10, 30, 20)));
    EXPECT_EQ(ScreenPixel(w->Handle(), 10, 10), 0xFF0000u);  // inside: blue
    EXPECT_EQ(ScreenPixel(w->Handle(), 29, 19), 0xFF0000u);
    EXPECT_EQ(ScreenPixel(w->Handle(), 30, 19), 0x0000FFu);  // outside: still red
    EXPECT_EQ(ScreenPixel(w->Handle(), 9, 10), 0x0000FFu);
}

TEST_F(Win32HostTest, WaitingSleepsUntilTheDeadline) {
    auto w = Make(wkSizeable, Bounds(100, 100, 120, 80));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    // Waking for the system's own messages is allowed; spinning is not.
    const std::uint64_t start = host_->Now();
    int wakes = 0;
    while (host_->Now() < start + 100 && wakes < 1000) {
        EXPECT_TRUE(host_->WaitEvents(start + 100));
        ++wakes;
    }
    EXPECT_LT(wakes, 50);
    // A posted message ends even a wait without a deadline.
    PostMessageW(w->Handle(), WM_NULL, 0, 0);
    EXPECT_TRUE(host_->WaitEvents(kNoDeadline));
}

TEST_F(Win32HostTest, WithNoWindowAndNoTimerNothingCanArrive) {
    EXPECT_FALSE(host_->WaitEvents(kNoDeadline));
}

}  // namespace
