#include "history/SessionHistory.h"

#include <utility>

TSessionHistory::TSessionHistory(std::unique_ptr<TEventLogSource> source, TUtcOffsetAt offsetAt)
    : source_(std::move(source)), offsetAt_(std::move(offsetAt)) {
    summary_ = SummaryTexts(table_, 0);
}

void TSessionHistory::Refresh() {
    if (source_) {
        ScanEventLog(table_, *source_, offsetAt_);
    } else {
        table_.clear();
    }
    FinishTable(table_);
    rows_ = BuildRows(table_);
    summary_ = SummaryTexts(table_, rows_.TotalSeconds);
}
