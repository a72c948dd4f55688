#pragma once

#include <memory>

#include "eventlog/EventLogSource.h"
#include "history/EventScan.h"
#include "history/SessionRecord.h"
#include "history/SessionRows.h"
#include "history/SummaryTexts.h"

// One refresh of the power-on history: scan the log, close the table, build the rows and
// the summary. The owner fills the chart from Table() after each Refresh.
class TSessionHistory {
  public:
    TSessionHistory(std::unique_ptr<TEventLogSource> source, TUtcOffsetAt offsetAt);

    void Refresh();

    const SessionTable& Table() const { return table_; }
    const TSessionRows& Rows() const { return rows_; }
    const TSummaryTexts& Summary() const { return summary_; }

  private:
    std::unique_ptr<TEventLogSource> source_;
    TUtcOffsetAt offsetAt_;
    SessionTable table_;
    TSessionRows rows_;
    TSummaryTexts summary_;
};
