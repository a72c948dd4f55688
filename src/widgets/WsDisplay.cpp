#include "widgets/WsDisplay.h"

#include <cctype>
#include <string>
#include <utility>

namespace {

// The software canvas is 32-bit, so the screen is full colour unless told otherwise.
bool gFullColorDisplay = true;
// No platform of the program draws themed parts yet.
bool gVisualThemesActive = false;
int gOfficeColorScheme = 0;
std::function<std::string()> gThemeColorNameReader;

}  // namespace

bool FullColorDisplay() {
    return gFullColorDisplay;
}
void SetFullColorDisplay(bool value) {
    gFullColorDisplay = value;
}

int OfficeColorScheme() {
    return gOfficeColorScheme;
}
void SetOfficeColorScheme(int scheme) {
    gOfficeColorScheme = scheme;
}

// There is no theme service on Linux; the widget set takes its non-themed paths.
bool VisualThemesActive() {
    return gVisualThemesActive;
}
void SetVisualThemesActive(bool value) {
    gVisualThemesActive = value;
}

int OfficeSchemeFromColorName(std::string_view colorName) {
    std::string upper(colorName);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "HOMESTEAD") return 1;
    if (upper == "METALLIC") return 2;
    return 0;
}

void SetThemeColorNameReader(std::function<std::string()> reader) {
    gThemeColorNameReader = std::move(reader);
}

int ReadOfficeColorScheme() {
    return gThemeColorNameReader ? OfficeSchemeFromColorName(gThemeColorNameReader()) : 0;
}

void InitWsDisplay() {
    gFullColorDisplay = true;
    gOfficeColorScheme = ReadOfficeColorScheme();
}
