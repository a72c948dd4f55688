#pragma once

#include <string>

// The user's theme colour name (value "ColorName" of the key
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager), such as "NormalColor"
// or "Metallic"; empty when unset.
std::string ReadThemeColorName();
