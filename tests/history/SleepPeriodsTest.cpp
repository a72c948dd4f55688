#include <gtest/gtest.h>

#include <memory>

#include "common/PowerNights.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "history/SessionHistory.h"
#include "history/SleepPeriods.h"
#include "history/TypedEventLog.h"

namespace {

constexpr std::int64_t T0 = 1700000000;
constexpr std::int64_t kHour = 3600;

TSleepPeriods Pair(const std::vector<TLogEvent>& inTimeOrder) {
    TSleepPairing pairing;
    for (auto it = inTimeOrder.rbegin(); it != inTimeOrder.rend(); ++it) pairing.Add(*it);
    return pairing.Finish();
}

void ExpectPeriods(const TSleepPeriods& got, const std::vector<TSleepPeriod>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].From, want[i].From) << "period " << i;
        EXPECT_EQ(got[i].To, want[i].To) << "period " << i;
    }
}

TEST(SleepPairing, SleepAndWakePairAndAWakesOwnTimesWin) {
    // Kernel-Power logs its 42 a little before the machine sleeps; the wake says exactly when.
    ExpectPeriods(Pair({Typed(ekBoot, T0), Typed(ekSleep, T0 + 100), Typed(ekWake, T0 + 500),
                        Typed(ekSleep, T0 + 1000), Typed(ekWake, T0 + 2000, T0 + 1010),
                        Typed(ekShutdown, T0 + 3000)}),
                  {{T0 + 100, T0 + 500}, {T0 + 1010, T0 + 2000}});
}

TEST(SleepPairing, UnmatchedEventsNeverGiveNegativeOrDoubledTime) {
    // A wake with no sleep before it adds nothing, unless it names its own sleep.
    ExpectPeriods(Pair({Typed(ekBoot, T0), Typed(ekWake, T0 + 50), Typed(ekShutdown, T0 + 99)}),
                  {});
    ExpectPeriods(
        Pair({Typed(ekBoot, T0), Typed(ekWake, T0 + 50, T0 + 20), Typed(ekShutdown, T0 + 99)}),
        {{T0 + 20, T0 + 50}});
    // A sleep time after its wake is ignored.
    ExpectPeriods(Pair({Typed(ekBoot, T0), Typed(ekWake, T0 + 50, T0 + 80)}), {});
    // A sleep with no wake lasts until the next event that shows what happened: here the
    // boot after a crash, in the newest session the open end.
    ExpectPeriods(Pair({Typed(ekBoot, T0), Typed(ekSleep, T0 + 10), Typed(ekBoot, T0 + 900),
                        Typed(ekSleep, T0 + 950)}),
                  {{T0 + 10, T0 + 900}, {T0 + 950, kSleepOpenEnd}});
    // The same sleep logged twice is counted once; a wake's own sleep time wins over the 42.
    ExpectPeriods(Pair({Typed(ekSleep, T0), Typed(ekSleep, T0 + 5), Typed(ekWake, T0 + 60),
                        Typed(ekSleep, T0 + 100), Typed(ekWake, T0 + 200, T0 + 102)}),
                  {{T0, T0 + 60}, {T0 + 102, T0 + 200}});
}

TEST(SleepPairing, SleepWithinClipsToTheSpan) {
    const TSleepPeriods p = {{100, 200}, {300, 400}, {500, kSleepOpenEnd}};
    EXPECT_EQ(SleepWithin(p, 0, 1000), 100 + 100 + 500);
    EXPECT_EQ(SleepWithin(p, 150, 350), 50 + 50);
    EXPECT_EQ(SleepWithin(p, 200, 300), 0);
    EXPECT_EQ(SleepWithin(p, 350, 340), 0);
    EXPECT_EQ(SleepWithin({}, 0, 1000), 0);
}

std::unique_ptr<TSessionHistory> History(std::vector<TLogEvent> events, std::int64_t now = 0) {
    auto h = std::make_unique<TSessionHistory>(std::make_unique<TTypedEventLog>(std::move(events)),
                                               nullptr);
    if (now) h->SetNow([now] { return now; });
    h->Refresh();
    return h;
}

TEST(SessionAsleep, EachSessionGetsItsOwnSleepWhileThePoweredTimeStays) {
    auto h = History({Typed(ekBoot, T0), Typed(ekSleep, T0 + kHour), Typed(ekWake, T0 + 9 * kHour),
                      Typed(ekShutdown, T0 + 10 * kHour),
                      // a crash while asleep: no wake, no shutdown
                      Typed(ekBoot, T0 + 20 * kHour), Typed(ekSleep, T0 + 21 * kHour),
                      // the running session sleeps and has not woken yet
                      Typed(ekBoot, T0 + 30 * kHour), Typed(ekSleep, T0 + 31 * kHour)},
                     T0 + 34 * kHour);
    const SessionTable& t = h->Table();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[2].DurationSeconds, 10 * kHour);
    EXPECT_EQ(t[2].AsleepSeconds, 8 * kHour);
    EXPECT_EQ(t[1].StatusText, "非正常关机");
    EXPECT_EQ(t[1].AsleepSeconds, 0);
    EXPECT_EQ(t[0].AsleepSeconds, 3 * kHour);  // cut at now
    EXPECT_EQ(h->Figures().UptimeSeconds, 10 * kHour + 4 * kHour);
    EXPECT_EQ(h->Figures().AsleepSeconds, 8 * kHour + 3 * kHour);
}

TEST(SessionAsleep, ThePeriodCutsTheSummedSleepButNotTheSessions) {
    auto h = History({Typed(ekBoot, T0), Typed(ekSleep, T0 + kHour), Typed(ekWake, T0 + 5 * kHour),
                      Typed(ekShutdown, T0 + 6 * kHour)});
    EXPECT_EQ(h->Figures().AsleepSeconds, 4 * kHour);
    auto cut = std::make_unique<TSessionHistory>(
        std::make_unique<TTypedEventLog>(std::vector<TLogEvent>{
            Typed(ekBoot, T0), Typed(ekSleep, T0 + kHour), Typed(ekWake, T0 + 5 * kHour),
            Typed(ekShutdown, T0 + 6 * kHour)}),
        nullptr);
    cut->SetPeriod({T0 + 3 * kHour, T0 + 10 * kHour});
    cut->Refresh();
    ASSERT_EQ(cut->Table().size(), 1u);
    EXPECT_EQ(cut->Table()[0].AsleepSeconds, 4 * kHour);
    EXPECT_EQ(cut->Figures().AsleepSeconds, 2 * kHour);
}

TEST(SessionAsleep, LogsWithoutSleepAreAwakeThroughout) {
    auto h = History({Typed(ekBoot, T0), Typed(ekUser, T0 + 5), Typed(ekShutdown, T0 + kHour)});
    EXPECT_EQ(h->Table()[0].AsleepSeconds, 0);
    EXPECT_EQ(h->Figures().AsleepSeconds, 0);
}

TEST(SessionAsleep, TheHistoryCountsTheSleepOfAWindowsLog) {
    TTempDir dir;
    for (bool evtx : {false, true}) {
        const char* name = evtx ? "h.evtx" : "h.evt";
        std::string path = dir.WriteFile(name, evtx ? EvtxBytes(Nights()) : EvtBytes(Nights()));
        std::unique_ptr<TEventLogSource> source;
        if (evtx)
            source = std::make_unique<TEvtxEventSource>(path);
        else
            source = std::make_unique<TEvtEventSource>(path);
        TSessionHistory history(std::move(source), nullptr);
        history.Refresh();
        ASSERT_EQ(history.Table().size(), 1u) << name;
        // 22:00:05 to 06:30:00, 16:00 to 17:00 (the nap's wake names no times), and the last
        // hour before the shutdown; the wake with no sleep adds nothing.
        EXPECT_EQ(history.Table()[0].AsleepSeconds, (8 * 3600 + 30 * 60 - 5) + 3600 + 3600) << name;
        EXPECT_EQ(history.Table()[0].DurationSeconds, 22 * 3600) << name;
    }
}

}  // namespace
