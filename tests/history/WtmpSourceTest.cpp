#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "common/WtmpTestFile.h"
#include "eventlog/EventRecord.h"
#include "eventlog/SafeText.h"
#include "eventlog/WtmpSource.h"
#include "history/SessionHistory.h"

namespace {

TEST(WtmpSource, MapsRecordTypesAndReadsNewestFirst) {
    TTempDir dir;
    std::string path = dir.WriteWtmp("wtmp", {BootEntry(1000),
                                              RunLevelEntry(1001),
                                              LoginEntry("alice", 1010),
                                              LogoutEntry(1500),
                                              {kWtmpLoginProcess, "LOGIN", "tty1", 1600},
                                              {kWtmpInitProcess, "", "tty1", 1601},
                                              ShutdownEntry(2000),
                                              {kWtmpRunLevel, "shutdownx", "~", 2001},
                                              BootEntry(3000)});
    TWtmpEventSource source(path);
    std::vector<TReadEvent> events = ReadAllEvents(source);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Id, eiBoot);
    EXPECT_EQ(events[0].Time, 3000u);
    EXPECT_EQ(events[1].Id, eiShutdown);
    EXPECT_EQ(events[1].Time, 2000u);
    EXPECT_EQ(events[2].Id, eiUserControl);
    EXPECT_EQ(events[2].User, "alice");
    EXPECT_EQ(events[3].Id, eiBoot);
    EXPECT_EQ(events[3].Time, 1000u);
}

TEST(WtmpSource, ReadsAcrossBlocksInOrder) {
    std::vector<TWtmpEntry> entries;
    for (int i = 0; i < 2600; ++i)
        entries.push_back(i % 3 == 0 ? BootEntry(100000 + i)
                                     : LoginEntry("u" + std::to_string(i), 100000 + i));
    TTempDir dir;
    TWtmpEventSource source(dir.WriteWtmp("wtmp", entries));
    std::vector<TReadEvent> events = ReadAllEvents(source);
    ASSERT_EQ(events.size(), 2600u);
    for (std::size_t i = 0; i < events.size(); ++i)
        ASSERT_EQ(events[i].Time, 100000u + 2599u - i) << i;
    EXPECT_EQ(events[0].User, "u2599");
    // A second pass after reopening sees the same log.
    EXPECT_EQ(ReadAllEvents(source).size(), 2600u);
}

TEST(WtmpSource, TrailingPartialRecordIsIgnored) {
    std::vector<std::uint8_t> bytes = WtmpBytes({BootEntry(1000), ShutdownEntry(2000)});
    std::vector<std::uint8_t> partial = WtmpBytes({BootEntry(3000)});
    bytes.insert(bytes.end(), partial.begin(), partial.begin() + 200);
    TTempDir dir;
    TWtmpEventSource source(dir.WriteFile("wtmp", bytes));
    std::vector<TReadEvent> events = ReadAllEvents(source);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Time, 2000u);
}

TEST(WtmpSource, MissingOrUnusableLogIsAnEmptyHistory) {
    TTempDir dir;
    for (std::string path : {dir.Path("missing"), dir.Path("")}) {
        TSessionHistory history(std::make_unique<TWtmpEventSource>(path),
                                [](std::int64_t) { return 0; });
        history.Refresh();
        EXPECT_TRUE(history.Table().empty()) << path;
        EXPECT_EQ(history.Summary().RecordCount, "记录数:0");
    }
}

// A login written just before the boot record, in the boot's own second, belongs to that boot;
// one a second earlier belongs to the session before.
TEST(WtmpSource, LoginInTheBootsSecondButBeforeItJoinsThatBoot) {
    TTempDir dir;
    for (auto [gap, joins] : {std::pair{0, true}, {1, false}}) {
        std::string path = dir.WriteWtmp(
            "wtmp", {BootEntry(1000), LoginEntry("ann", 5000 - gap), BootEntry(5000)});
        TSessionHistory history(std::make_unique<TWtmpEventSource>(path),
                                [](std::int64_t) { return 0; });
        history.Refresh();
        ASSERT_EQ(history.Table().size(), 2u);
        EXPECT_EQ(history.Table()[0].UserName, joins ? "ann" : "") << gap;
        EXPECT_EQ(history.Table()[1].UserName, joins ? "" : "ann") << gap;
    }
}

// The boot record's host field holds the kernel release; control bytes are not carried.
TEST(WtmpSource, EachBootKeepsItsKernelRelease) {
    TTempDir dir;
    std::vector<std::uint8_t> bytes =
        WtmpBytes({BootEntry(1000), ShutdownEntry(2000), BootEntry(3000), LoginEntry("ann", 3100)});
    const char odd[] = "6.8.0-\x01x";
    std::memset(bytes.data() + 384 * 2 + kWtmpHostOffset, 0, 256);  // the host field
    std::memcpy(bytes.data() + 384 * 2 + kWtmpHostOffset, odd, sizeof odd - 1);
    TSessionHistory history(std::make_unique<TWtmpEventSource>(dir.WriteFile("wtmp", bytes)),
                            [](std::int64_t) { return 0; });
    history.Refresh();
    ASSERT_EQ(history.Table().size(), 2u);
    EXPECT_EQ(history.Table()[0].Kernel, "6.8.0-?x");
    EXPECT_EQ(history.Table()[0].UserName, "ann");
    EXPECT_EQ(history.Table()[1].Kernel, "6.1.0-test");
}

TEST(WtmpSource, AccountNamesAreMadeSafeToShow) {
    EXPECT_EQ(SafeLogText({}), "");
    auto name = [](const std::string& s) { return SafeLogText(s); };
    EXPECT_EQ(name("zhang三"), "zhang三");
    EXPECT_EQ(name("a\tb\nc"), "a?b?c");
    EXPECT_EQ(name("bad\xff\xfe"), "bad\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(name("\xe4\xb8"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // cut-off sequence
    EXPECT_EQ(name("\xF0\x9F\x98\x80x"), "\xF0\x9F\x98\x80x");                // four bytes, U+1F600
    const std::string bad = "\xEF\xBF\xBD";                                   // U+FFFD
    EXPECT_EQ(name("\xF4\x90\x80\x80"), bad + bad + bad + bad);               // past U+10FFFF
    EXPECT_EQ(name("\xc0\xaf"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // overlong '/'
    EXPECT_EQ(name("\xed\xa0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
}

TEST(WtmpSource, UserFieldWithoutTerminatorIsReadToItsEnd) {
    std::string full(kWtmpUserSize, 'x');
    std::vector<std::uint8_t> bytes = WtmpBytes({LoginEntry("", 5000)});
    std::memcpy(bytes.data() + kWtmpUserOffset, full.data(), full.size());
    TTempDir dir;
    TWtmpEventSource source(dir.WriteFile("wtmp", bytes));
    std::vector<TReadEvent> events = ReadAllEvents(source);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].User, full);
}

TEST(WtmpSource, CorruptFilesNeverCrashTheScan) {
    std::mt19937 random(1234);
    std::vector<std::uint8_t> good =
        WtmpBytes({BootEntry(1000), LoginEntry("ann", 1100), ShutdownEntry(2000), BootEntry(3000)});
    TTempDir dir;
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> bytes = good;
        for (int flips = 0; flips < 40; ++flips)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        if (round % 2 == 1) bytes.resize(random() % bytes.size());
        TSessionHistory history(std::make_unique<TWtmpEventSource>(dir.WriteFile("w", bytes)),
                                [](std::int64_t) { return 0; });
        history.Refresh();
        ASSERT_LE(history.Table().size(), 4u);
        for (const TSessionRow& row : history.Rows().Rows)
            EXPECT_EQ(row.UserText.find_first_of("\t\n"), std::string::npos);
    }
}

}  // namespace
