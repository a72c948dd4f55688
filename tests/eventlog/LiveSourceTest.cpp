#include <gtest/gtest.h>

#include <vector>

#include "eventlog/LiveSource.h"

namespace {

constexpr std::int64_t kBoot = 1'800'000'000;  // this machine's boot
constexpr std::int64_t kYear = 365 * 86400;

TLiveCandidate Knows(TLiveSource source, std::int64_t oldest, std::int64_t newest) {
    return {source, {true, oldest, newest}};
}

TEST(LiveSource, AmongTheLogsThatKnowThisBootTheOneReachingFurthestBack) {
    // A machine upgraded to Debian 13: wtmp stopped at the upgrade though it reaches furthest
    // back; wtmpdb and the journal know this boot, and wtmpdb keeps more.
    std::vector<TLiveCandidate> upgraded = {Knows(lsJournal, kBoot - 30 * 86400, kBoot),
                                            Knows(lsWtmpdb, kBoot - kYear, kBoot + 2),
                                            Knows(lsWtmp, kBoot - 5 * kYear, kBoot - 86400)};
    EXPECT_EQ(ChooseLiveSource(upgraded, kBoot), lsWtmpdb);

    // Within a minute either way is the same boot; beyond it is another.
    std::vector<TLiveCandidate> edges = {Knows(lsJournal, kBoot - 10, kBoot + 61),
                                         Knows(lsWtmpdb, kBoot - 5, kBoot - 60),
                                         Knows(lsWtmp, kBoot - 100, kBoot - 61)};
    EXPECT_EQ(ChooseLiveSource(edges, kBoot), lsWtmpdb);
    edges[0].Boots.Newest = kBoot + 60;
    EXPECT_EQ(ChooseLiveSource(edges, kBoot), lsJournal);
}

TEST(LiveSource, TiesGoToTheJournalThenWtmpdbWhateverTheOrderGiven) {
    std::vector<TLiveCandidate> tie = {Knows(lsWtmp, kBoot - 100, kBoot),
                                       Knows(lsWtmpdb, kBoot - 100, kBoot),
                                       Knows(lsJournal, kBoot - 100, kBoot)};
    EXPECT_EQ(ChooseLiveSource(tie, kBoot), lsJournal);
    tie.pop_back();
    EXPECT_EQ(ChooseLiveSource(tie, kBoot), lsWtmpdb);
}

TEST(LiveSource, WhenNoneKnowsThisBootTheNewestBootWinsAndEmptyLogsComeLast) {
    std::vector<TLiveCandidate> stale = {Knows(lsJournal, kBoot - 9 * 86400, kBoot - 3 * 86400),
                                         Knows(lsWtmp, kBoot - kYear, kBoot - 2 * 86400),
                                         {lsWtmpdb, {}}};
    EXPECT_EQ(ChooseLiveSource(stale, kBoot), lsWtmp);

    // Logs that know no boot at all: the first in the order of preference.
    std::vector<TLiveCandidate> empty = {{lsWtmp, {}}, {lsWtmpdb, {}}};
    EXPECT_EQ(ChooseLiveSource(empty, kBoot), lsWtmpdb);
    EXPECT_EQ(ChooseLiveSource({}, kBoot), lsAuto);
}

TEST(LiveSource, NamesRoundTripAndOthersAreRefused) {
    for (TLiveSource s : {lsAuto, lsJournal, lsWtmpdb, lsWtmp}) {
        TLiveSource parsed = lsAuto;
        ASSERT_TRUE(ParseLiveSource(LiveSourceName(s), parsed)) << LiveSourceName(s);
        EXPECT_EQ(parsed, s);
    }
    TLiveSource parsed = lsWtmp;
    for (const char* bad : {"", "Journal", "wtmp.db", "utmp", "journal "})
        EXPECT_FALSE(ParseLiveSource(bad, parsed)) << bad;
    EXPECT_EQ(parsed, lsWtmp);
}

}  // namespace
