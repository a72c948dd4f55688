#pragma once

#include <string_view>

// The scheme that a theme colour name stands for: "HOMESTEAD" 1, "METALLIC" 2, else 0,
// compared without regard to case. The name comes from the display settings
// (TDisplaySettings::ThemeColorName) of the control's application.
int OfficeSchemeFromColorName(std::string_view colorName);
