#include <gtest/gtest.h>

#include "history/FakeEventLog.h"
#include "history/SessionHistory.h"

namespace {

TEST(SessionHistory, RefreshRebuildsEverythingFromTheLog) {
    const std::uint32_t t0 = 1704096000;  // 2024-01-01 08:00:00 UTC
    auto log = std::make_unique<TFakeEventLog>(
        std::vector<TFakeEventLog::TEvent>{User(t0 - 100, "ghost"), Boot(t0), User(t0 + 5, "ann"),
                                           Shutdown(t0 + 7200), Boot(t0 + 86400)});
    TFakeEventLog* raw = log.get();
    TSessionHistory history(std::move(log), NoOffset);
    EXPECT_EQ(history.Summary().RecordCount, "记录数:0");

    history.Refresh();
    // The oldest record held only the user "ghost" and is dropped.
    ASSERT_EQ(history.Table().size(), 2u);
    ASSERT_EQ(history.Rows().Rows.size(), 2u);
    EXPECT_EQ(history.Rows().Rows[0].StatusText, "正常,运行中...");
    EXPECT_EQ(history.Rows().Rows[1].DurationTextValue, "2 时");
    EXPECT_EQ(history.Rows().Rows[1].UserText, "ann");
    EXPECT_EQ(history.Table()[1].DurationSeconds, 7200);
    EXPECT_EQ(history.Summary().DayCount, "天数:2");
    EXPECT_EQ(history.Summary().Total, "总计:2小时");

    history.Refresh();  // a second refresh starts again from an empty table
    EXPECT_EQ(history.Table().size(), 2u);
    EXPECT_EQ(history.Rows().TotalSeconds, 7200);
    EXPECT_EQ(raw->Opens, 2);
}

TEST(SessionHistory, WithoutASourceTheHistoryIsEmpty) {
    TSessionHistory history(nullptr, NoOffset);
    history.Refresh();
    EXPECT_TRUE(history.Table().empty());
    EXPECT_EQ(history.Summary().Average, "平均:0(小时/次)");
}

}  // namespace
