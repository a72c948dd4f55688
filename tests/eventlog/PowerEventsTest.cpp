#include <gtest/gtest.h>

#include "common/PowerNights.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/PowerEvents.h"

namespace {

struct TPowerEvent {
    TEventKind Kind;
    std::int64_t Utc;
    std::int64_t SleptUtc;
    bool operator==(const TPowerEvent&) const = default;
};

void PrintTo(const TPowerEvent& e, std::ostream* os) {
    *os << "{kind " << int{e.Kind} << " t=" << e.Utc << " slept=" << e.SleptUtc << "}";
}

std::vector<TPowerEvent> SleepAndWake(TEventLogSource& source) {
    std::vector<TPowerEvent> out;
    EXPECT_TRUE(source.Open());
    TLogEvent e;
    while (source.Next(e))
        if (e.Kind == ekSleep || e.Kind == ekWake) out.push_back({e.Kind, e.Utc, e.SleptUtc});
    source.Close();
    return out;
}

std::vector<TPowerEvent> ExpectedNights() {
    const std::int64_t wake = UtcSeconds(2021, 6, 2, 6, 30, 0);
    return {{ekSleep, kEvening + 20 * 3600, 0}, {ekWake, kEvening + 18 * 3600, 0},
            {ekWake, kEvening + 17 * 3600, 0},  {ekSleep, kEvening + 16 * 3600, 0},
            {ekWake, wake, kEvening + 5},       {ekSleep, kEvening, 0}};
}

TEST(PowerEvents, EvtAndEvtxReadSleepAndWakeOfTheirProvidersOnly) {
    TTempDir dir;
    TEvtEventSource evt(dir.WriteFile("p.evt", EvtBytes(Nights())));
    EXPECT_EQ(SleepAndWake(evt), ExpectedNights());
    TEvtxEventSource evtx(dir.WriteFile("p.evtx", EvtxBytes(Nights())));
    EXPECT_EQ(SleepAndWake(evtx), ExpectedNights());
}

TEST(PowerEvents, EventTimeTextIsReadStrictly) {
    std::int64_t t = 0;
    EXPECT_TRUE(ParseEventTimeText("2021-06-02T06:30:00.5000000Z", t));
    EXPECT_EQ(t, UtcSeconds(2021, 6, 2, 6, 30, 0));
    EXPECT_TRUE(
        ParseEventTimeText("\xE2\x80\x8E"
                           "2024-02-29T23:59:59Z",
                           t));
    EXPECT_EQ(t, UtcSeconds(2024, 2, 29, 23, 59, 59));
    for (const char* bad :
         {"", "2021-06-02 06:30:00Z", "2021-06-02T06:30:00", "2021-13-02T06:30:00Z",
          "2021-06-02T24:00:00Z", "2021-06-02T06:30:00Zx", "1969-12-31T23:59:59Z"})
        EXPECT_FALSE(ParseEventTimeText(bad, t)) << bad;
}

}  // namespace
