#include <gtest/gtest.h>

#include <cstring>

#include "base/DateTimeFormat.h"
#include "history/EventScan.h"
#include "history/FakeEventLog.h"
#include "history/TypedEventLog.h"

namespace {

constexpr std::uint32_t kDay0 = 1700000000;  // 2023-11-14 22:13:20 UTC

DateTimeValue At(std::uint32_t t) {
    return DateTimeFromUnixSeconds(t);
}

SessionTable Scan(TFakeEventLog& log, const TUtcOffsetAt& offset = NoOffset) {
    SessionTable table;
    ScanEventLog(table, log, offset);
    return table;
}

TEST(EventScan, WorkedExampleOrderlyShutdownThenRunning) {
    const std::uint32_t b1 = kDay0, u1a = b1 + 60, u1b = b1 + 120, s1 = b1 + 3600, b2 = s1 + 600,
                        u2 = b2 + 30;
    TFakeEventLog log({Boot(b1), User(u1a, "alice"), User(u1b, "bob"), Shutdown(s1), Boot(b2),
                       User(u2, "carol")});
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].BootTime, At(b2));
    EXPECT_EQ(t[0].ShutdownTime, 0.0);
    EXPECT_EQ(t[0].UserName, "carol");
    EXPECT_EQ(t[1].BootTime, At(b1));
    EXPECT_EQ(t[1].ShutdownTime, At(s1));
    EXPECT_EQ(t[1].UserName, "alice");  // the oldest user event of the session wins
    EXPECT_EQ(t[1].DurationSeconds, 0);
    EXPECT_TRUE(t[1].StatusText.empty());
    EXPECT_EQ(log.Opens, 1);
    EXPECT_EQ(log.Closes, 1);
}

TEST(EventScan, WorkedExampleCrashLeavesBootWithoutShutdown) {
    const std::uint32_t b1 = kDay0, u1 = b1 + 10, b2 = b1 + 7200, u2 = b2 + 10, s2 = b2 + 900;
    TFakeEventLog log({Boot(b1), User(u1, "u1"), Boot(b2), User(u2, "u2"), Shutdown(s2)});
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].BootTime, At(b2));
    EXPECT_EQ(t[0].ShutdownTime, At(s2));
    EXPECT_EQ(t[0].UserName, "u2");
    EXPECT_EQ(t[1].BootTime, At(b1));
    EXPECT_EQ(t[1].ShutdownTime, 0.0);
    EXPECT_EQ(t[1].UserName, "u1");
}

TEST(EventScan, EmptyOrUnopenableLogGivesEmptyTableAndDiscardsTheOldOne) {
    SessionTable table(3);
    TFakeEventLog empty({});
    ScanEventLog(table, empty, NoOffset);
    EXPECT_TRUE(table.empty());

    table.resize(2);
    TFakeEventLog closed({Boot(kDay0)});
    closed.OpenFails = true;
    ScanEventLog(table, closed, NoOffset);
    EXPECT_TRUE(table.empty());
}

TEST(EventScan, OpeningAndReusingRecords) {
    // Newest event a user: record 0 first holds only the user, then the boot fills it.
    TFakeEventLog userFirst({Boot(kDay0), User(kDay0 + 5, "ann")});
    SessionTable t = Scan(userFirst);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].BootTime, At(kDay0));
    EXPECT_EQ(t[0].UserName, "ann");

    // Two boots without a shutdown: two records, the older without a shutdown.
    TFakeEventLog twoBoots({Boot(kDay0), Boot(kDay0 + 100)});
    t = Scan(twoBoots);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].BootTime, At(kDay0));
    EXPECT_EQ(t[1].ShutdownTime, 0.0);

    // A shutdown read while the last record holds only a user fills that record.
    TFakeEventLog userThenShutdown({Boot(kDay0), Shutdown(kDay0 + 50), User(kDay0 + 60, "x")});
    t = Scan(userThenShutdown);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].UserName, "x");
    EXPECT_EQ(t[0].ShutdownTime, At(kDay0 + 50));
    EXPECT_EQ(t[0].BootTime, At(kDay0));

    // Two shutdowns in a row are two records.
    TFakeEventLog twoShutdowns({Shutdown(kDay0), Shutdown(kDay0 + 10)});
    EXPECT_EQ(Scan(twoShutdowns).size(), 2u);
}

TEST(EventScan, UserInTheBootsOwnSecondJoinsThatSession) {
    TFakeEventLog sameSecond({Boot(kDay0), User(kDay0, "early")});
    SessionTable t = Scan(sameSecond);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].UserName, "early");

    TFakeEventLog secondBefore({User(kDay0 - 1, "before"), Boot(kDay0)});
    t = Scan(secondBefore);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].UserName, "");
    EXPECT_EQ(t[1].UserName, "before");
}

TEST(EventScan, ServiceAccountsAndFailedLookupsAreIgnored) {
    for (const char* name : {"SYSTEM", "NT AUTHORITY\\LOCAL SERVICE", "N/A", "xSYSTEMx"}) {
        TFakeEventLog log({Boot(kDay0), User(kDay0 + 1, name)});
        SessionTable t = Scan(log);
        ASSERT_EQ(t.size(), 1u) << name;
        EXPECT_EQ(t[0].UserName, "") << name;
    }
    TFakeEventLog::TEvent fails = User(kDay0 + 1, "alice");
    fails.LookupFails = true;
    TFakeEventLog::TEvent throws = User(kDay0 + 2, "bob");
    throws.LookupThrows = true;
    TFakeEventLog log({Boot(kDay0), fails, throws});
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].UserName, "");

    // The test is case-sensitive: other spellings are real users.
    TFakeEventLog lower({Boot(kDay0), User(kDay0 + 1, "system")});
    EXPECT_EQ(Scan(lower)[0].UserName, "system");
}

TEST(EventScan, OnlyTheLowWordOfTheEventIdCounts) {
    TFakeEventLog log({{0x40000000u | eiBoot, kDay0, {}, false, false},
                       {0xC0000000u | eiShutdown, kDay0 + 60, {}, false, false},
                       {eiBoot + 0x10000u * 3, kDay0 + 100, {}, false, false},
                       {6009, kDay0 + 200, {}, false, false}});
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].BootTime, At(kDay0 + 100));
    EXPECT_EQ(t[1].ShutdownTime, At(kDay0 + 60));
}

TEST(EventScan, ReadFailureKeepsWhatWasBuilt) {
    TFakeEventLog log({Boot(kDay0), Boot(kDay0 + 100), Boot(kDay0 + 200)});
    log.FailWithErrorAt = 2;
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].BootTime, At(kDay0 + 100));
    EXPECT_EQ(log.Closes, 1);
}

TEST(EventScan, BufferGrowsOnlyWhenARecordDoesNotFit) {
    std::string longName(300, 'n');
    TFakeEventLog log(
        {Boot(kDay0), User(kDay0 + 1, longName), User(kDay0 + 2, "short"), Boot(kDay0 + 10)});
    SessionTable t = Scan(log);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].UserName, longName);
    // Read backwards: "short" and then the long name each need a bigger buffer once; the
    // grown buffer then holds the rest, and the end of the log is one more failed read.
    EXPECT_EQ(log.FailedReads, 3);
}

// The same log read one record per read and several per read builds the same table.
TEST(EventScan, EveryRecordOfAReadThatReturnsSeveralIsUsed) {
    std::vector<TFakeEventLog::TEvent> events;
    for (std::uint32_t i = 0; i < 40; ++i) {
        std::uint32_t t = kDay0 + i * 1000;
        events.push_back(Boot(t));
        events.push_back(User(t + 10, "user" + std::to_string(i % 7) + std::string(i % 5, 'x')));
        if (i % 3 != 0) events.push_back(Shutdown(t + 500));
    }
    TFakeEventLog single(events);
    SessionTable expected = Scan(single);
    ASSERT_EQ(expected.size(), 40u);
    TFakeEventLog packed(events);
    packed.Pack = true;
    SessionTable t = Scan(packed);
    ASSERT_EQ(t.size(), expected.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].BootUtc, expected[i].BootUtc) << i;
        EXPECT_EQ(t[i].ShutdownUtc, expected[i].ShutdownUtc) << i;
        EXPECT_EQ(t[i].UserName, expected[i].UserName) << i;
    }
}

// A record whose stated length is shorter than its head or runs past what was read ends the
// records of that read; those before it count.
class TBadLengthSource : public TFakeEventLog {
  public:
    explicit TBadLengthSource(std::uint32_t length)
        : TFakeEventLog({Boot(kDay0), Boot(kDay0 + 100), Boot(kDay0 + 200)}), length_(length) {
        Pack = true;
    }
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override {
        if (buffer.size() < 3 * kEventRecordHeadSize) {
            bytesNeeded = 3 * kEventRecordHeadSize;
            error = erInsufficientBuffer;
            return false;
        }
        bool ok = TFakeEventLog::ReadNext(buffer, bytesRead, bytesNeeded, error);
        if (ok && bytesRead == 3 * kEventRecordHeadSize)
            std::memcpy(buffer.data() + kEventRecordHeadSize, &length_, 4);
        return ok;
    }

  private:
    std::uint32_t length_;
};

TEST(EventScan, RecordLengthsThatDoNotFitEndTheRead) {
    for (std::uint32_t length : {0u, 55u, 113u, 0xFFFFFFFFu}) {
        TBadLengthSource source(length);
        SessionTable t;
        ScanEventLog(t, source, NoOffset);
        ASSERT_EQ(t.size(), 1u) << length;
        EXPECT_EQ(t[0].BootUtc, kDay0 + 200) << length;
    }
}

// Sources that break the read protocol end the scan instead of hanging or allocating wildly.
class TBrokenSource : public TEventRecordLog {
  public:
    explicit TBrokenSource(std::uint32_t needed) : needed_(needed) {}
    int Reads = 0;
    bool Open() override { return true; }
    bool ReadNext(std::span<std::uint8_t>, std::uint32_t&, std::uint32_t& bytesNeeded,
                  TEventReadError& error) override {
        ++Reads;
        bytesNeeded = needed_;
        error = erInsufficientBuffer;
        return Reads > 1000;  // would pass garbage if the scan kept asking
    }
    bool LookupAccount(std::span<const std::uint8_t>, std::string&) override { return false; }
    void Close() override {}

  private:
    std::uint32_t needed_;
};

TEST(EventScan, ProtocolViolationsEndTheScan) {
    for (std::uint32_t needed : {0u, 56u, 0xFFFFFFFFu}) {
        TBrokenSource source(needed);
        SessionTable table;
        ScanEventLog(table, source, NoOffset);
        EXPECT_TRUE(table.empty());
        EXPECT_EQ(source.Reads, 1) << needed;
    }
}

// A record whose account lies outside its bytes must not be read (the look-up sees nothing).
class TBadSidSource : public TFakeEventLog {
  public:
    TBadSidSource(std::uint32_t offset, std::uint32_t length)
        : TFakeEventLog({Boot(kDay0), User(kDay0 + 1, "mallory")}),
          offset_(offset),
          length_(length) {}
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override {
        bool ok = TFakeEventLog::ReadNext(buffer, bytesRead, bytesNeeded, error);
        if (ok && bytesRead > kEventRecordHeadSize) {
            std::memcpy(buffer.data() + 40, &length_, 4);
            std::memcpy(buffer.data() + 44, &offset_, 4);
        }
        return ok;
    }

  private:
    std::uint32_t offset_, length_;
};

TEST(EventScan, AccountDataOutsideTheRecordIsNotRead) {
    const std::uint32_t cases[][2] = {
        {56, 100}, {200, 7}, {0xFFFFFFF0u, 0x20}, {8, 7}, {56, 0xFFFFFFFFu}};
    for (const auto& c : cases) {
        TBadSidSource source(c[0], c[1]);
        SessionTable t;
        ScanEventLog(t, source, NoOffset);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].UserName, "") << c[0] << "+" << c[1];
    }
    TBadSidSource inside(56, 7);
    SessionTable t;
    ScanEventLog(t, inside, NoOffset);
    EXPECT_EQ(t[0].UserName, "mallory");
}

TEST(EventScan, EachEventUsesTheOffsetOfItsOwnMoment) {
    // Berlin-like rule: +1 h before the summer change, +2 h after.
    const std::int64_t summerStart = 1711846800;  // 2024-03-31 01:00:00 UTC
    TUtcOffsetAt berlin = [=](std::int64_t t) { return t < summerStart ? 3600 : 7200; };
    const std::uint32_t winterBoot = 1705305600;  // 2024-01-15 08:00:00 UTC
    const std::uint32_t summerBoot = 1721030400;  // 2024-07-15 08:00:00 UTC
    TFakeEventLog log({Boot(winterBoot), Shutdown(winterBoot + 3600), Boot(summerBoot)});
    SessionTable t = Scan(log, berlin);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", t[0].BootTime), "2024-07-15 10:00:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", t[1].BootTime), "2024-01-15 09:00:00");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", t[1].ShutdownTime), "10:00:00");
}

// Europe/Berlin: summer time starts 2024-03-31 01:00 UTC, ends 2024-10-27 01:00 UTC.
std::int32_t Berlin(std::int64_t t) {
    const bool summer = t >= 1711846800 && t < 1729990800;
    return summer ? 7200 : 3600;
}

TEST(EventScan, DaylightSavingChangesNeitherDurationsNorTheOrderOfEvents) {
    // 2024-03-30 23:00:00 UTC to 2024-03-31 03:30:15 UTC: 00:00 to 05:30:15 local.
    const std::uint32_t boot = 1711839600, shutdown = boot + 4 * 3600 + 30 * 60 + 15;
    TFakeEventLog spring({Boot(boot), Shutdown(shutdown)});
    SessionTable t = Scan(spring, Berlin);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(FormatDateTime("hh:nn:ss", t[0].ShutdownTime), "05:30:15");
    EXPECT_EQ(t[0].BootUtc, boot);
    EXPECT_EQ(t[0].ShutdownUtc, shutdown);

    // In the hour that repeats in autumn, a login at 00:45 UTC (02:45 summer time) comes
    // before a boot at 01:10 UTC (02:10 winter time): it belongs to the earlier session.
    const std::uint32_t login = 1729989900, laterBoot = 1729991400;
    TFakeEventLog autumn({Boot(login - 3600), User(login, "ann"), Boot(laterBoot)});
    t = Scan(autumn, Berlin);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].UserName, "");
    EXPECT_EQ(t[1].UserName, "ann");
    EXPECT_GT(t[1].BootTime, 1.0);
}

TEST(EventScan, EventTimesAreWholeSeconds) {
    for (std::uint32_t t : {0u, 1u, 86399u, 86400u, 1700000001u, 4294967295u}) {
        DateTimeValue v = EventLocalTime(t, [](std::int64_t) { return -18000 - 1800; });
        EXPECT_EQ(WholeSeconds(v), std::int64_t{t} - 19800 + 25569 * 86400LL) << t;
        EXPECT_EQ(v, DateTimeFromSeconds(WholeSeconds(v)));
    }
}

TEST(EventScan, ComputeUtcOffsetMinutesDropsSeconds) {
    EXPECT_EQ(ComputeUtcOffsetMinutes([](std::int64_t) { return 8 * 3600; }, 0), 480);
    EXPECT_EQ(ComputeUtcOffsetMinutes([](std::int64_t) { return -(3 * 3600 + 1800); }, 0), -210);
    EXPECT_EQ(ComputeUtcOffsetMinutes([](std::int64_t) { return 3208; }, 0), 53);  // LMT
    EXPECT_EQ(ComputeUtcOffsetMinutes(TUtcOffsetAt{}, 0), 0);
}

}  // namespace

namespace {

SessionTable ScanTyped(std::vector<TLogEvent> events) {
    TTypedEventLog log(std::move(events));
    SessionTable table;
    ScanEventLog(table, log, NoOffset);
    return table;
}

TEST(EventScanTyped, LastSignOfLifeBelongsToTheCrashedBootBeforeIt) {
    const std::uint32_t b1 = kDay0, b2 = kDay0 + 7200, b3 = kDay0 + 20000;
    SessionTable t =
        ScanTyped({Typed(ekBoot, b1), Typed(ekUser, b1 + 5, "ann"), Typed(ekLastSeen, b1 + 3000),
                   Typed(ekBoot, b2), Typed(ekShutdown, b2 + 600), Typed(ekBoot, b3),
                   Typed(ekLastSeen, b3 + 99)});
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].LastSeenUtc, b3 + 99);  // a copied journal's newest boot without a shutdown
    EXPECT_EQ(t[1].LastSeenUtc, 0u);       // ended in order
    EXPECT_EQ(t[2].LastSeenUtc, b1 + 3000);
    EXPECT_EQ(t[2].UserName, "ann");
    EXPECT_FALSE(HasTime(t[2].ShutdownTime));  // the list still shows no shutdown time
}

TEST(EventScanTyped, LastSignOfLifeNeverCrossesAShutdownOrGoesToALaterBoot) {
    // A sign of life older than the boot read next, or separated from it by a shutdown, is
    // no sign of that boot's life.
    SessionTable t =
        ScanTyped({Typed(ekLastSeen, kDay0 - 10), Typed(ekBoot, kDay0), Typed(ekBoot, kDay0 + 100),
                   Typed(ekLastSeen, kDay0 + 200), Typed(ekShutdown, kDay0 + 300)});
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].LastSeenUtc, 0u);
    EXPECT_EQ(t[1].LastSeenUtc, 0u);
}

TEST(EventScanTyped, NamesAndDetailsAsTheReaderGaveThemAndTimesOutsideTheRangeDropped) {
    SessionTable t =
        ScanTyped({Typed(ekBoot, -5), Typed(ekSystemVersion, kDay0 - 1, "", "v0"),
                   Typed(ekBoot, kDay0, "", "6.1.0-18-amd64"), Typed(ekUser, kDay0 + 1, ""),
                   Typed(ekUser, kDay0 + 2, "bob"), Typed(ekBoot, std::int64_t{1} << 32)});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Kernel, "6.1.0-18-amd64");
    EXPECT_EQ(t[0].UserName, "bob");
}

}  // namespace

TEST(EventScanTyped, SessionsOfOneUserAndKernelShareOneCopyOfEach) {
    SessionTable t =
        ScanTyped({Typed(ekBoot, kDay0, "", "6.1.0"), Typed(ekUser, kDay0 + 1, "zoë"),
                   Typed(ekShutdown, kDay0 + 2), Typed(ekBoot, kDay0 + 3, "", "6.1.0"),
                   Typed(ekUser, kDay0 + 4, "zoë"), Typed(ekShutdown, kDay0 + 5),
                   Typed(ekBoot, kDay0 + 6, "", "6.2.0"), Typed(ekUser, kDay0 + 7, "bob")});
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].UserName, "zoë");
    EXPECT_TRUE(t[1].UserName.SameCopy(t[2].UserName));
    EXPECT_TRUE(t[1].Kernel.SameCopy(t[2].Kernel));
    EXPECT_EQ(t[0].Kernel, "6.2.0");
    EXPECT_FALSE(t[0].Kernel.SameCopy(t[1].Kernel));
    EXPECT_FALSE(t[0].UserName.SameCopy(t[1].UserName));
}
