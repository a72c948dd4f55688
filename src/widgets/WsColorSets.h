#pragma once

#include "framework/DisplaySettings.h"
#include "graphics/Colors.h"
#include "widgets/WsTypes.h"

// The colours that the gradient visual style derives from the system colours (or from the
// Office scheme of the theme's colour name while themes are on). Under gcsCustom a control
// uses its own colour properties instead; these functions then give the gcsSystem colours.
// The display settings are those of the control's application (TControl::Display).

struct TShadeColors {
    TColor Start = clNone;
    TColor Stop = clNone;
};

struct TSelectionColors {
    TColor Frame = clNone;
    TColor Start = clNone;
    TColor Stop = clNone;
};

struct TStatusColors {
    TColor Dark = clNone;
    TColor Light = clNone;
    TColor Third = clNone;
};

struct TOfficeScheme {
    TColor SelectionFrame;
    TColor SelectionStart;
    TColor SelectionStop;
    TColor BarStart;
    TColor BarStop;
    TColor Flat;
};

// The flat border colour of a panel-based control (tool bar, status bar) and the lightness
// adjustment it is drawn with.
struct TFlatColor {
    TColor Color = clBtnShadow;
    int Adjustment = 0;
};

// Scheme 0 for an index outside 0 to 2.
const TOfficeScheme& OfficeSchemeColors(int scheme);

TShadeColors PanelShadeColors(const TDisplaySettings& display, TWsGradientColorStyle style);
TColor PanelFlatColor(const TDisplaySettings& display, TWsGradientColorStyle style);
TSelectionColors SelectionShadeColors(const TDisplaySettings& display, TWsGradientColorStyle style);
TStatusColors StatusShadeColors(const TDisplaySettings& display, TWsGradientColorStyle style);
// The gradient style brings its own flat colour, unadjusted, unless the control's colours are
// custom; every other case keeps the control's own colour and adjustment.
TFlatColor PanelBorderFlatColor(const TDisplaySettings& display, TWsVisualStyle visual,
                                TWsGradientColorStyle gradient, TFlatColor own);
