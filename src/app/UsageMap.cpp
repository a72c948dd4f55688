#include "app/UsageMap.h"

#include <cmath>

#include "framework/Application.h"
#include "history/DurationText.h"

namespace {

const char* const kWeekdayNames[TUsageHours::kWeekdays] = {"周一", "周二", "周三", "周四",
                                                           "周五", "周六", "周日"};
constexpr int kPitchX = TUsageMap::kCellWidth + TUsageMap::kGrid;
constexpr int kPitchY = TUsageMap::kCellHeight + TUsageMap::kGrid;

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, double t) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

}  // namespace

TUsageMap::TUsageMap(TComponent* owner) : TGraphicControl(owner) {}

void TUsageMap::SetHours(const TUsageHours& hours, const TQuietHours& quiet) {
    hours_ = hours;
    quiet_ = quiet;
    largest_ = hours_.Largest();
    CancelTip();
    Invalidate();
}

TRect TUsageMap::CellRect(int weekday, int hour) {
    return Bounds(kCellsLeft + hour * kPitchX, kCellsTop + weekday * kPitchY, kCellWidth,
                  kCellHeight);
}

bool TUsageMap::CellAt(TPoint p, int& weekday, int& hour) {
    int dx = p.X - kCellsLeft, dy = p.Y - kCellsTop;
    if (dx < 0 || dy < 0) return false;
    hour = dx / kPitchX;
    weekday = dy / kPitchY;
    return hour < TUsageHours::kHours && weekday < TUsageHours::kWeekdays &&
           dx % kPitchX < kCellWidth && dy % kPitchY < kCellHeight;
}

TColor TUsageMap::CellColor(std::int64_t seconds, std::int64_t largest) {
    const TColor empty = ColorToRGB(clWindow);
    if (largest <= 0 || seconds <= 0) return empty;
    const double t = seconds >= largest ? 1.0 : static_cast<double>(seconds) / largest;
    return RGB(Mix(GetRValue(empty), GetRValue(kFullColor), t),
               Mix(GetGValue(empty), GetGValue(kFullColor), t),
               Mix(GetBValue(empty), GetBValue(kFullColor), t));
}

bool TUsageMap::QuietHour(int hour) const {
    const int from = quiet_.FromMinute, to = quiet_.ToMinute;
    if (from == to) return false;
    const int begin = hour * 60, end = begin + 60;
    // Within one day the quiet time is [from, to), or [0, to) and [from, 1440) across midnight.
    if (from < to) return begin < to && end > from;
    return begin < to || end > from;
}

std::string TUsageMap::TipText(int weekday, int hour) const {
    const std::int64_t seconds = hours_.Seconds[weekday][hour];
    char span[32];
    std::snprintf(span, sizeof span, " %02d:00-%02d:00  ", hour, hour + 1);
    std::string text = std::string(kWeekdayNames[weekday]) + span;
    text += seconds <= 1 ? std::to_string(seconds) + " 秒" : LongDurationText(seconds);
    return text + " (" + std::to_string(hours_.Days[weekday][hour]) + " 天)";
}

void TUsageMap::Paint(TCanvas& canvas) {
    const int right = kCellsLeft + TUsageHours::kHours * kPitchX;
    const int bottom = kCellsTop + TUsageHours::kWeekdays * kPitchY;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = clBtnShadow;
    canvas.FillRect({kCellsLeft - kGrid, kCellsTop - kGrid, right, bottom});
    for (int d = 0; d < TUsageHours::kWeekdays; ++d)
        for (int h = 0; h < TUsageHours::kHours; ++h) {
            canvas.Brush().Color = CellColor(hours_.Seconds[d][h], largest_);
            canvas.FillRect(CellRect(d, h));
        }
    canvas.Brush().Color = clMaroon;
    const int bandTop = kCellsTop - kGrid - kBandHeight;
    for (int h = 0; h < TUsageHours::kHours; ++h)
        if (QuietHour(h))
            canvas.FillRect({kCellsLeft - kGrid + h * kPitchX, bandTop,
                             kCellsLeft + (h + 1) * kPitchX, bandTop + kBandHeight});

    canvas.Font() = Font();
    canvas.Brush().Style = bsClear;
    const int textHeight = canvas.TextHeight("0");
    for (int h = 0; h < TUsageHours::kHours; h += 3) {
        const std::string label = std::to_string(h);
        canvas.TextOut(kCellsLeft + h * kPitchX, bandTop - 1 - textHeight, label);
    }
    for (int d = 0; d < TUsageHours::kWeekdays; ++d) {
        const TRect cell = CellRect(d, 0);
        const int w = canvas.TextWidth(kWeekdayNames[d]);
        canvas.TextOut(kCellsLeft - 6 - w, cell.Top + (cell.Height() - textHeight) / 2,
                       kWeekdayNames[d]);
    }
}

void TUsageMap::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    int weekday, hour;
    if (!CellAt({x, y}, weekday, hour)) {
        CancelTip();
        return;
    }
    const std::string text = TipText(weekday, hour);
    // Within one cell a shown tip is left alone; a new cell restarts the pause.
    if (text == Hint()) return;
    TApplication* app = Application();
    if (app) app->CancelHint();
    SetShowHint(true);
    SetHint(text);
    if (app) app->ActivateHint(ClientToScreen({x, y}));
}

void TUsageMap::MouseLeave() {
    TGraphicControl::MouseLeave();
    CancelTip();
}

void TUsageMap::CancelTip() {
    const bool had = !Hint().empty();
    SetHint("");
    if (TApplication* app = Application(); had && app) app->CancelHint();
}
