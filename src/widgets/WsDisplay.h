#pragma once

#include <functional>
#include <string>
#include <string_view>

// Process-wide facts about the screen and the user's theme that the widget set's colours
// depend on. They are read once by InitWsDisplay, before any window is created.

// True when the screen shows more than 256 colours.
bool FullColorDisplay();
void SetFullColorDisplay(bool value);

// Index 0 to 2 into the Office scheme colour table.
int OfficeColorScheme();
void SetOfficeColorScheme(int scheme);

// Whether the platform's visual themes are in use; the widget set then draws themed parts.
bool VisualThemesActive();
void SetVisualThemesActive(bool value);

// The scheme that a theme colour name stands for: "HOMESTEAD" 1, "METALLIC" 2, else 0,
// compared without regard to case.
int OfficeSchemeFromColorName(std::string_view colorName);

// The platform's reader of the user's theme colour name (on Windows the registry value
// "ThemeManager\\ColorName"); without one the name is empty and the scheme the default.
void SetThemeColorNameReader(std::function<std::string()> reader);

// Reads the user's current theme colour scheme. Panel-based controls call it again when the
// theme changes.
int ReadOfficeColorScheme();

void InitWsDisplay();
