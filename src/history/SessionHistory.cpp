#include "history/SessionHistory.h"

#include <utility>

TSessionHistory::TSessionHistory(std::unique_ptr<TEventLogSource> source, TUtcOffsetAt offsetAt)
    : source_(std::move(source)), offsetAt_(std::move(offsetAt)) {
    summary_ = SummaryTexts(table_, 0);
}

void TSessionHistory::Refresh() {
    report_ = {};
    if (source_) {
        ScanEventLog(table_, *source_, offsetAt_);
        report_ = source_->ReadReport();
    } else {
        table_.clear();
    }
    FinishTable(table_);
    rows_ = {};
    if (keepRows_) {
        rows_ = BuildRows(table_);
        totals_ = {rows_.AnyUser, rows_.TotalSeconds};
    } else {
        totals_ = FinishRecords(table_);
    }
    summary_ = SummaryTexts(table_, totals_.TotalSeconds);
}
