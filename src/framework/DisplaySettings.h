#pragma once

#include <string>

// What the screen and the user's desktop settings say about how controls look and behave.
// The host reads them once; each application keeps its own copy (TApplication::Display), and
// a control reaches its application's through its form, so two applications never see each
// other's changes.
struct TDisplaySettings {
    // The screen shows more than 256 colours; the software canvas is 32-bit, so it does
    // unless a host says otherwise. Gradients are drawn only then.
    bool FullColor = true;
    // The platform's visual themes are in use; no platform of the program draws themed
    // parts yet.
    bool VisualThemesActive = false;
    // The name of the user's theme colour scheme (on Windows the registry value
    // "ThemeManager\\ColorName"); empty where the platform has none.
    std::string ThemeColorName;
    // The version of the common controls library whose behaviour the list controls follow,
    // major in the high 16 bits.
    unsigned CommonControlsVersion = 0x60000;
    // Rows a list scrolls per wheel notch, or WheelPageScroll for a page per notch.
    unsigned WheelScrollLines = 3;
};

inline constexpr unsigned WheelPageScroll = 0xFFFFFFFF;
