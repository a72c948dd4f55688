#include "widgets/WsClockStatus.h"

#include <chrono>

#include "base/DateTimeFormat.h"
#include "base/FormatSettings.h"
#include "base/StoreChanged.h"
#include "framework/Accessible.h"

namespace {

std::function<DateTimeValue()> gLocalTimeSource;

// The pane's right end that the size grip keeps for itself.
constexpr int kGripReach = 12;

}  // namespace

void TWsClockStatus::SetLocalTimeSource(std::function<DateTimeValue()> source) {
    gLocalTimeSource = std::move(source);
}

DateTimeValue TWsClockStatus::LocalNow() {
    if (gLocalTimeSource) return gLocalTimeSource();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return DateTimeFromUnixSeconds(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

TWsClockStatus::TWsClockStatus(TComponent* owner) : TWsPollingStatus(owner) {
    SetWidth(150);
}

void TWsClockStatus::SetFormat(const std::string& format) {
    if (StoreChanged(format_, format)) UpdateTime();
}

void TWsClockStatus::Loaded() {
    TWsPollingStatus::Loaded();
    UpdateTime();
}

void TWsClockStatus::UpdateTime() {
    DateTimeValue now = LocalNow();
    if (OnGetDateTime) OnGetDateTime(this, now);
    std::string text;
    if (!format_.empty()) {
        text = FormatDateTime(format_, now);
    } else {
        const TFormatSettings& fs = FormatSettings();
        text = FormatDateTime(fs.ShortDateFormat, now);
        int h = 0, m = 0, s = 0, ms = 0;
        DecodeTime(now, h, m, s, ms);
        if (h != 0 || m != 0 || s != 0 || ms != 0)
            text += " " + FormatDateTime(fs.LongTimeFormat, now);
    }
    if (!StoreChanged(cachedText_, text)) return;
    AccessibleChanged(aeValue);
    SetCaption(text);  // invalidates, and resizes with AutoSize
}

void TWsClockStatus::TimerExpired() {
    UpdateTime();
    TWsPollingStatus::TimerExpired();
}

TRect TWsClockStatus::GetTextRect() const {
    TRect r = TWsPollingStatus::GetTextRect();
    if (UnderSizeGrip(BoundsRect())) r.Right -= kGripReach;
    return r;
}

void TWsClockStatus::Paint(TCanvas& canvas) {
    // The clock shows its own text, whatever was put into Caption.
    DrawPaneFrame(canvas);
    DrawPaneCaption(canvas, cachedText_);
}

void TWsClockStatus::DescribeAccessible(TAccDescription& d) const {
    TWsPollingStatus::DescribeAccessible(d);
    d.Name = d.Value = cachedText_;
}
