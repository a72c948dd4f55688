#include "widgets/WsColorSets.h"

#include <array>

#include "widgets/WsColorMath.h"
#include "widgets/WsDisplay.h"

namespace {

const std::array<TOfficeScheme, 3> kOfficeSchemes = {{
    {RGB(0, 0, 128), RGB(255, 238, 194), RGB(255, 217, 160), RGB(227, 239, 255), RGB(153, 187, 234),
     RGB(87, 127, 191)},
    {RGB(63, 93, 56), RGB(255, 238, 194), RGB(255, 217, 160), RGB(255, 255, 237),
     RGB(184, 199, 146), RGB(127, 161, 119)},
    {RGB(75, 75, 111), RGB(255, 238, 194), RGB(255, 217, 160), RGB(249, 249, 255),
     RGB(189, 188, 208), RGB(159, 159, 177)},
}};

bool ValidScheme(int scheme) {
    return scheme >= 0 && scheme < static_cast<int>(kOfficeSchemes.size());
}

// The Office colours apply only while themes are on; otherwise Office falls back to System.
bool UsesOfficeScheme(const TDisplaySettings& display, TWsGradientColorStyle style) {
    return style == gcsMSOffice && display.VisualThemesActive;
}

int SchemeOf(const TDisplaySettings& display) {
    return OfficeSchemeFromColorName(display.ThemeColorName);
}

}  // namespace

const TOfficeScheme& OfficeSchemeColors(int scheme) {
    return kOfficeSchemes[ValidScheme(scheme) ? scheme : 0];
}

TShadeColors PanelShadeColors(const TDisplaySettings& display, TWsGradientColorStyle style) {
    if (UsesOfficeScheme(display, style)) {
        const TOfficeScheme& s = OfficeSchemeColors(SchemeOf(display));
        return {s.BarStart, s.BarStop};
    }
    return {clWindow, Darken(clBtnFace, 10)};
}

TColor PanelFlatColor(const TDisplaySettings& display, TWsGradientColorStyle style) {
    if (UsesOfficeScheme(display, style)) return OfficeSchemeColors(SchemeOf(display)).Flat;
    return Lighten(clBtnShadow, 30);
}

TSelectionColors SelectionShadeColors(const TDisplaySettings& display,
                                      TWsGradientColorStyle style) {
    TSelectionColors result;
    if (UsesOfficeScheme(display, style)) {
        const TOfficeScheme& s = OfficeSchemeColors(SchemeOf(display));
        result = {s.SelectionFrame, s.SelectionStart, s.SelectionStop};
    } else {
        const TColor mixed = MixColors(clHighlight, clWindow, 77);
        result = {clHighlight, Lighten(mixed, 20), mixed};
    }
    // Few-colour screens show hot and pressed buttons solid.
    if (!display.FullColor) result.Start = result.Stop;
    return result;
}

TStatusColors StatusShadeColors(const TDisplaySettings& display, TWsGradientColorStyle style) {
    if (UsesOfficeScheme(display, style)) {
        const TOfficeScheme& s = OfficeSchemeColors(SchemeOf(display));
        return {s.BarStop, s.BarStart, s.BarStop};
    }
    return {Darken(clBtnFace, 20), clWindow, Darken(clBtnFace, 40)};
}

TFlatColor PanelBorderFlatColor(const TDisplaySettings& display, TWsVisualStyle visual,
                                TWsGradientColorStyle gradient, TFlatColor own) {
    if (visual == vsGradient && gradient != gcsCustom)
        return {PanelFlatColor(display, gradient), 0};
    return own;
}
