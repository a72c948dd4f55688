#include "history/SessionHistory.h"

#include <utility>

TSessionHistory::TSessionHistory(std::unique_ptr<TEventLogSource> source, TUtcOffsetAt offsetAt)
    : source_(std::move(source)), offsetAt_(std::move(offsetAt)) {
    summary_ = SummaryTexts(table_, 0);
}

void TSessionHistory::Refresh() {
    report_ = {};
    if (source_) {
        ScanEventLog(table_, *source_, offsetAt_, &sleeps_);
        report_ = source_->ReadReport();
    } else {
        table_.clear();
        sleeps_.clear();
    }
    FinishTable(table_);
    totals_ = FinishRecords(table_);
    const std::int64_t runningEnd = now_ ? now_() : NewestEventUtc(table_);
    StoreAsleepSeconds(table_, sleeps_, runningEnd);
    if (period_.Since != TPeriod{}.Since || period_.Until != TPeriod{}.Until) {
        KeepPeriod(table_, period_, runningEnd);
        totals_ = {};
        for (const SessionRecord& rec : table_) {
            totals_.TotalSeconds += rec.DurationSeconds;
            totals_.AnyUser = totals_.AnyUser || !rec.UserName.empty();
        }
    }
    for (SessionRecord& rec : table_) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        DateTimeValue from = HasTime(rec.BootTime) ? rec.BootTime : rec.ShutdownTime;
        DateTimeValue to = HasTime(rec.ShutdownTime) ? rec.ShutdownTime
                           : end > start
                               ? EventLocalTime(static_cast<std::uint32_t>(end), offsetAt_)
                               : from;
        rec.Quiet = OverlapsQuietHours(from, to, quiet_);
    }
    rows_ = {};
    if (keepRows_) {
        rows_.Rows.reserve(table_.size());
        for (std::size_t i = 0; i < table_.size(); ++i) rows_.Rows.push_back(SessionRow(table_, i));
        rows_.AnyUser = totals_.AnyUser;
        rows_.TotalSeconds = totals_.TotalSeconds;
    }
    summary_ = SummaryTexts(table_, totals_.TotalSeconds);
    figures_ = ComputeFigures(table_, period_, runningEnd);
    figures_.AsleepSeconds = AsleepInPeriod(table_, sleeps_, figures_, runningEnd);
    hours_ = ComputeUsageHours(table_, sleeps_,
                               {figures_.PeriodStart, figures_.PeriodEnd, runningEnd}, offsetAt_);
}
