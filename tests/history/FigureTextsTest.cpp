#include <gtest/gtest.h>

#include "history/FigureTexts.h"

namespace {

std::vector<std::string> Values(const TFigureTexts& texts) {
    std::vector<std::string> values;
    for (const TFigureText& t : texts) values.push_back(t.Value);
    return values;
}

TEST(FigureTexts, NoSessionGivesZerosAndDashes) {
    EXPECT_EQ(Values(FigureTexts({}, false, {}, nullptr)),
              (std::vector<std::string>{"—", "0", "0", "0", "—", "—", "0", "0 次 (23:00-06:00)"}));
}

TEST(FigureTexts, APeriodInLocalTimeWithItsDurationsAndTheQuietHours) {
    TSessionFigures f;
    f.PeriodStart = 1709280000;  // 2024-03-01 08:00 UTC
    f.PeriodEnd = f.PeriodStart + 90000;
    f.UptimePercent = 38;
    f.DowntimePercent = 62;
    f.AsleepSeconds = 3 * 3600 + 600;
    f.LongestSeconds = 34200;
    f.ShortestSeconds = 1;
    f.AbnormalShutdowns = 2;
    f.QuietSessions = 4;
    const TFigureTexts t =
        FigureTexts(f, true, {22 * 60 + 30, 6 * 60 + 5}, [](std::int64_t) { return 8 * 3600; });
    EXPECT_EQ(t[0].Name, std::string("时段"));
    EXPECT_EQ(t[7].Name, std::string("夜间使用"));
    EXPECT_EQ(Values(t), (std::vector<std::string>{"2024-03-01 16:00 – 2024-03-02 17:00", "38.00%",
                                                   "62.00%", "3 时10 分", "9 时30 分", "1 秒",
                                                   "2 次", "4 次 (22:30-06:05)"}));
}

}  // namespace
