#pragma once

#include <functional>
#include <string>

#include "base/DateTime.h"
#include "widgets/WsPollingStatus.h"

using TGetDateTimeEvent = std::function<void(TObject* sender, DateTimeValue& value)>;

// A status pane showing the current date and time, refreshed by the shared polling timer and
// repainted only when its text changes. An empty Format shows the short date and, unless it
// is exactly midnight, the long time of the user's regional settings.
class TWsClockStatus : public TWsPollingStatus {
  public:
    explicit TWsClockStatus(TComponent* owner = nullptr);
    void DescribeAccessible(TAccDescription& d) const override;

    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& format);
    // The text shown, as last formatted.
    const std::string& TimeText() const { return cachedText_; }

    // Recomputes the text; invalidates only when it changed.
    virtual void UpdateTime();
    void Loaded() override;

    // May change the date and time about to be shown.
    TGetDateTimeEvent OnGetDateTime;

    // Where the current local date and time come from; the program installs the system's
    // local time. Without one the clock shows the time in UTC.
    static void SetLocalTimeSource(std::function<DateTimeValue()> source);
    static DateTimeValue LocalNow();

  protected:
    void Paint(TCanvas& canvas) override;
    TRect GetTextRect() const override;
    void TimerExpired() override;

  private:
    std::string format_;
    std::string cachedText_;
};
