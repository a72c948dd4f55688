#pragma once

#include <memory>
#include <string>
#include <utility>

#include "eventlog/EventLogSource.h"
#include "history/EventScan.h"
#include "history/ReportFigures.h"
#include "history/SessionRecord.h"
#include "history/SessionRows.h"
#include "history/SleepPeriods.h"
#include "history/SummaryTexts.h"
#include "history/UsageHours.h"

// One refresh of the power-on history: scan the log, close the table, build the rows and
// the summary. The owner fills the chart from Table() after each Refresh.
class TSessionHistory {
  public:
    TSessionHistory(std::unique_ptr<TEventLogSource> source, TUtcOffsetAt offsetAt);

    // Off: Refresh leaves Rows() empty, and the rows are made one at a time with Row(i);
    // a long history printed once need not hold all its texts.
    void SetKeepRows(bool keep) { keepRows_ = keep; }

    // Sessions outside the period are left out of the table, the rows and every figure.
    void SetPeriod(const TPeriod& period) { period_ = period; }
    void SetQuietHours(const TQuietHours& quiet) { quiet_ = quiet; }
    // For a live log: the running session runs until now (Unix seconds) rather than until the
    // newest event; 0 for a log file.
    void SetNow(std::function<std::int64_t()> now) { now_ = std::move(now); }

    // What the history is read from: the log's format or name ("journal", "wtmp", …) and the
    // file or folder that messages name.
    void SetSourceName(std::string name, std::string path) {
        sourceName_ = std::move(name);
        sourcePath_ = std::move(path);
    }
    const std::string& SourceName() const { return sourceName_; }
    const std::string& SourcePath() const { return sourcePath_; }

    void Refresh();

    const SessionTable& Table() const { return table_; }
    const TSessionRows& Rows() const { return rows_; }
    TSessionRow Row(std::size_t i) const { return SessionRow(table_, i); }
    const TSessionTotals& Totals() const { return totals_; }
    const TSummaryTexts& Summary() const { return summary_; }
    const TSessionFigures& Figures() const { return figures_; }
    // The awake time of the period by hour of the week.
    const TUsageHours& UsageHours() const { return hours_; }
    const TQuietHours& QuietHours() const { return quiet_; }
    // The UTC offset in force at a moment, as the events are shown.
    std::int32_t OffsetAt(std::int64_t unixSeconds) const {
        return offsetAt_ ? offsetAt_(unixSeconds) : 0;
    }
    // What the source noticed during the last Refresh.
    const TLogReadReport& ReadReport() const { return report_; }

  private:
    std::unique_ptr<TEventLogSource> source_;
    TUtcOffsetAt offsetAt_;
    bool keepRows_ = true;
    TPeriod period_;
    TQuietHours quiet_;
    std::function<std::int64_t()> now_;
    TSessionFigures figures_;
    TSleepPeriods sleeps_;
    TUsageHours hours_;
    SessionTable table_;
    TSessionRows rows_;
    TSessionTotals totals_;
    TSummaryTexts summary_;
    TLogReadReport report_;
    std::string sourceName_;
    std::string sourcePath_;
};
