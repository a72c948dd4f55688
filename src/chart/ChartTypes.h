#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/Colors.h"

// Raised on invalid series operations, with fixed English messages.
class ChartException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Raised by axis setters given values they cannot hold; the property stays unchanged.
class AxisException : public ChartException {
  public:
    using ChartException::ChartException;
};

enum TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };

enum TSeriesMarksStyle : std::uint8_t {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
    smsXY,
    smsSeriesTitle,
    smsPointIndex,
    smsPercentRelative,
};

enum THorizAxis : std::uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis : std::uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

enum TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };

enum TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };

enum TZoomDirection : std::uint8_t { tzdHorizontal, tzdVertical, tzdBoth };

// The drawing steps at which the chart calls its tools, with their fixed numbers.
enum TChartToolEvent : std::uint8_t {
    cteAfterDraw = 0,
    cteBeforeSeries = 1,
    cteBeforeDraw = 2,
    cteBeforeAxes = 3,
    cteAfterSeries = 4,
    cteMouseLeave = 5,
};

enum TChartMouseEvent : std::uint8_t { cmeDown = 0, cmeMove = 1, cmeUp = 2 };

// The 20 colours given to points and series, in order; palette[i mod 20] colours point i.
const std::vector<TColor>& DefaultPalette();

// The text separating lines inside marks and labels.
inline constexpr char kLineSeparator = '\r';
