#pragma once

#include "graphics/Canvas.h"
#include "widgets/WsTypes.h"

// What a panel-based control's border is made of; the defaults are those of a plain panel.
struct TPanelBorderStyle {
    TFrameStyle Outer = fsRaised;
    TFrameStyle Inner = fsNone;
    TSides Sides = AllSides;
    int BorderWidth = 0;
    TColor BorderColor = clBtnFace;
    int BevelWidth = 1;
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    TColor FlatColor = clBtnShadow;
    int FlatColorAdjustment = 30;
    // Shows in the cut corners of an fsFlatRounded border unless the panel is transparent.
    TColor ParentColor = clBtnFace;
    bool Transparent = false;
};

// Outer bevel, border, inner bevel, from the outside in; returns the rectangle left for the
// panel's background.
TRect DrawPanelBorders(TCanvas& canvas, const TRect& rect, const TPanelBorderStyle& style);
// The rectangle DrawPanelBorders leaves inside, without drawing.
TRect PanelBordersInside(const TRect& rect, const TPanelBorderStyle& style);

// The frame of an edit-like control over its whole window (0, 0, width, height): the outer two
// pixels are first wiped in the inner colour, then the frame is drawn on the chosen sides.
TRect DrawControlFrame(TCanvas& canvas, int width, int height, TSides sides, TColor frameColor,
                       TColor innerColor, TFrameStyle style);
