#include "platform/win32/Win32Host.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>

#include "graphics/Canvas.h"
#include "platform/win32/ThemeColorName.h"
#include "platform/win32/Win32Window_p.h"
#include "platform/win32/WinText.h"

namespace {

// The program's icon, drawn here so that no picture file has to be shipped: a clock face.
HICON MakeProgramIcon() {
    constexpr int kSide = 32;
    TPixelBuffer pixels(kSide, kSide, 0x00000000);
    TCanvas canvas(pixels);
    canvas.Pen().Color = static_cast<TColor>(0x00804000);
    canvas.Pen().Width = 2;
    canvas.Brush().Color = clWhite;
    canvas.Ellipse(Rect(2, 2, 30, 30));
    canvas.Pen().Color = static_cast<TColor>(0x000000C0);
    canvas.MoveTo(16, 16);
    canvas.LineTo(16, 7);
    canvas.MoveTo(16, 16);
    canvas.LineTo(23, 19);
    // The canvas leaves alpha alone; what it painted is opaque.
    for (int y = 0; y < kSide; ++y) {
        TPixel* row = pixels.Row(y);
        for (int x = 0; x < kSide; ++x)
            if (row[x] & 0x00FFFFFFu || (x - 15.5) * (x - 15.5) + (y - 15.5) * (y - 15.5) < 196)
                row[x] |= 0xFF000000u;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = kSide;
    header.bV5Height = -kSide;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                     &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!color || !bits) return nullptr;
    std::copy(pixels.Data(), pixels.Data() + kSide * kSide, static_cast<TPixel*>(bits));
    HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    if (mask) DeleteObject(mask);
    return icon;
}

}  // namespace

TShiftState KeyboardShift() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TWin32Host::TWin32Host() {
    // The shell's handlers of addresses may need COM on the calling thread.
    comStarted_ =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    icon_ = MakeProgramIcon();
}

TResult<std::unique_ptr<TWin32Host>> TWin32Host::Open() {
    std::unique_ptr<TWin32Host> host(new TWin32Host());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TWin32Window::Proc;
    wc.hInstance = instance;
    wc.hIcon = host->icon_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    const bool framed = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    wc.style = CS_DROPSHADOW;
    wc.hIcon = nullptr;
    wc.lpszClassName = kPopupClass;
    const bool popup = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    if (!framed || !popup) return TError("the window classes could not be registered");
    return host;
}

TWin32Host::~TWin32Host() {
    if (icon_) DestroyIcon(icon_);
    if (comStarted_) CoUninitialize();
}

std::unique_ptr<THostWindow> TWin32Host::CreateHostWindow(const THostWindowParams& params,
                                                          THostWindowEvents& events) {
    auto window = std::make_unique<TWin32Window>(*this, params, events);
    windows_.push_back(window.get());
    return window;
}

void TWin32Host::Forget(TWin32Window* window) {
    std::erase(windows_, window);
}

TRect TWin32Host::WorkArea() const {
    RECT r{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWin32Host::CursorPos() const {
    POINT p{0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
}

std::uint64_t TWin32Host::Now() const {
    return GetTickCount64();
}

bool TWin32Host::WaitEvents(std::uint64_t deadline) {
    // With no window left and no timer due, nothing can ever arrive.
    if (windows_.empty() && deadline == kNoDeadline) return false;
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        DWORD timeout = INFINITE;
        if (deadline != kNoDeadline) {
            const std::uint64_t now = Now();
            timeout = static_cast<DWORD>(
                std::min<std::uint64_t>(deadline > now ? deadline - now : 0, INFINITE - 1));
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Someone asked the thread to end: pass it on to the loop that owns the thread.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

HWND TWin32Host::OwnerWindow() const {
    // The program's first window still open is its main window.
    return windows_.empty() ? nullptr : windows_.front()->Handle();
}

TDisplaySettings TWin32Host::DisplaySettings() const {
    TDisplaySettings settings;
    settings.ThemeColorName = ReadThemeColorName();
    return settings;
}

bool TWin32Host::OpenURL(const std::string& address) {
    if (address.empty()) return false;
    const std::wstring target = WideFromUtf8(address);
    // Owned by the main window, so any message the shell shows stays in front of it; no verb
    // takes the address's default action.
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(OwnerWindow(), nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

HCURSOR TWin32Host::SystemCursor(TCursor shape) const {
    LPCWSTR id = IDC_ARROW;
    switch (shape) {
        case crIBeam:
            id = IDC_IBEAM;
            break;
        case crCross:
            id = IDC_CROSS;
            break;
        case crSizeNWSE:
            id = IDC_SIZENWSE;
            break;
        case crSizeNESW:
            id = IDC_SIZENESW;
            break;
        case crSizeWE:
            id = IDC_SIZEWE;
            break;
        case crSizeNS:
            id = IDC_SIZENS;
            break;
        case crSizeAll:
            id = IDC_SIZEALL;
            break;
        case crHandPoint:
            id = IDC_HAND;
            break;
        case crNo:
            id = IDC_NO;
            break;
        case crHourGlass:
            id = IDC_WAIT;
            break;
        case crUpArrow:
            id = IDC_UPARROW;
            break;
        default:
            break;
    }
    return LoadCursorW(nullptr, id);
}
