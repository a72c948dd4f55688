#pragma once

#include <cstdint>

#include "widgets/WsTypes.h"

// Enumerations shared by the tool bar and its buttons; stored as ordinals in layout data.

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum TWsToolbarTextOptions : std::uint8_t {
    ttoNoTextLabels,
    ttoShowTextLabels,
    ttoSelectiveTextOnRight,
    ttoCustom,
};

enum TWsToolStyle : std::uint8_t { tsButton, tsDropDown };

enum TWsToolButtonState : std::uint8_t { tbsUp, tbsDisabled, tbsDown, tbsExclusive, tbsMenuOpen };

// What a tool bar tells its buttons when one of its shared button settings changes.
enum TWsToolbarNotice : std::uint8_t {
    tnCaptionSetting,  // ShowButtonCaptions
    tnLayout,          // ButtonLayout
    tnSize,            // ButtonWidth, ButtonHeight
    tnStyle,           // VisualStyle, GradientColorStyle
};
