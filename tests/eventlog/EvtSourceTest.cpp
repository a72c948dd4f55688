#include <gtest/gtest.h>

#include <cstring>

#include "common/ShrinkingFile.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"
#include "eventlog/EventRecord.h"
#include "eventlog/EvtSource.h"
#include "eventlog/WindowsLogReading.h"

namespace {

const std::string kUser = "S-1-5-21-3623811015-3361044348-30300820-1013";

std::string AccountOf(const std::string& sid) {
    if (sid == "S-1-5-18") return "SYSTEM";
    if (sid == "S-1-5-19") return "LOCAL SERVICE";
    if (sid == "S-1-5-20") return "NETWORK SERVICE";
    return sid;
}

// What the reader should hand out for the events the writer left in the log (numbered from
// first), newest first: kept ids only, records as they stand.
std::vector<TReadRecord> Expected(const std::vector<TWinEvent>& events, std::size_t first,
                                  std::uint32_t firstNumber) {
    std::vector<TReadRecord> out;
    for (std::size_t i = first; i < events.size(); ++i) {
        const TWinEvent& e = events[i];
        if (e.Id != 6005 && e.Id != 6006 && e.Id != 6009 && e.Id != 7035) continue;
        TReadRecord r;
        r.Kind = KindOfEventId(e.Id);
        r.Time = static_cast<std::uint32_t>(e.Time);
        r.Number = firstNumber + static_cast<std::uint32_t>(i - first);
        if (e.Id == 7035 && !e.Sid.empty()) r.Account = AccountOf(e.Sid);
        if (e.Id == 6005 && !e.Strings.empty()) r.Detail = e.Strings.front();
        if (e.Id == 6009) r.Detail = SystemVersionText(e.Strings);
        out.insert(out.begin(), r);
    }
    return out;
}

// A week of a machine's life: boots with their version events, services started by the
// system, the service accounts and a user, orderly shutdowns, and noise the scan ignores.
std::vector<TWinEvent> Week(int days) {
    std::vector<TWinEvent> events;
    const std::string accounts[] = {"S-1-5-18", "S-1-5-19", "S-1-5-20", kUser};
    for (int d = 0; d < days; ++d) {
        std::int64_t t = UtcSeconds(2005, 3, 1 + d, 8, 0, 0);
        events.push_back(OtherEvent(6013, t - 5));
        events.push_back(BootEvent(t));
        events.push_back(VersionEvent(t, {"5.01.", "2600", "Service Pack 2", "Uniprocessor Free"}));
        for (int k = 0; k < 4; ++k)
            events.push_back(ServiceEvent(accounts[(d + k) % 4], t + 60 * k));
        events.push_back(OtherEvent(1, t + 600));
        events.push_back(ShutdownEvent(t + 3600 * 9));
    }
    return events;
}

TEST(EvtSource, ReadsTheKeptRecordsNewestFirstWithServiceAccountsNamed) {
    TTempDir dir;
    std::vector<TWinEvent> events = Week(3);
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtEventSource>(dir.WriteFile("s.evt", EvtBytes(events)), &notices);
    EXPECT_EQ(got, Expected(events, 0, 1));
    EXPECT_TRUE(notices.empty());
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front().Kind, ekShutdown);
    EXPECT_EQ(got.back().Kind, ekBoot);
}

// The writer wraps the record area at the file's end as the log does, so across these sizes
// records split at every kind of place (inside the length, the head, the strings, the closing
// length) and the oldest records are overwritten; the reader must give exactly the records
// still in the log.
TEST(EvtSource, WrappedAreaGivesTheRecordsStillInTheLogAtEveryWrapPoint) {
    TTempDir dir;
    std::vector<TWinEvent> events = Week(6);
    std::size_t splitRecords = 0, splitEofs = 0;
    for (std::size_t size = 1400; size < 2400; ++size) {
        SCOPED_TRACE(size);
        TEvtPlaces places;
        std::vector<std::uint8_t> bytes = EvtBytes(events, {size, false}, &places);
        // Every 37th size, and the first few whose end-of-file record is split.
        bool eofSplit = places.EofAt + 0x28 > size;
        if ((size - 1400) % 37 != 0 && !(eofSplit && splitEofs < 4)) continue;
        if (eofSplit) ++splitEofs;
        ASSERT_FALSE(places.RecordAt.empty());
        std::size_t kept = places.RecordAt.size();
        std::uint32_t firstNumber = static_cast<std::uint32_t>(events.size() - kept + 1);
        for (std::size_t at : places.RecordAt) {
            // A record whose length field lies whole before the end but whose body wraps.
            std::uint32_t length = 0;
            if (at + 4 <= size) std::memcpy(&length, &bytes[at], 4);
            if (at + length > size) ++splitRecords;
        }
        std::vector<std::string> notices;
        auto got = ReadFile<TEvtEventSource>(dir.WriteFile("w.evt", bytes), &notices);
        EXPECT_EQ(got, Expected(events, events.size() - kept, firstNumber));
        EXPECT_TRUE(notices.empty()) << notices.front();

        // With both pointers to the oldest record lost and the header's end stale (a dirty
        // file), the reader finds the end-of-file record, split or not, and looks from there
        // on, past what is left of overwritten records, to the oldest one the log still names.
        std::uint32_t nowhere = 0x31;
        std::memcpy(&bytes[16], &nowhere, 4);
        std::memcpy(&bytes[20], &nowhere, 4);
        for (std::size_t i = 0; i < 4; ++i)
            bytes[kEvtHeaderSize +
                  (places.EofAt - kEvtHeaderSize + 20 + i) % (size - kEvtHeaderSize)] =
                static_cast<std::uint8_t>(nowhere >> (8 * i));
        got = ReadFile<TEvtEventSource>(dir.WriteFile("w.evt", bytes), &notices);
        EXPECT_EQ(got, Expected(events, events.size() - kept, firstNumber));
        EXPECT_TRUE(notices.empty()) << notices.front();
    }
    EXPECT_GT(splitRecords, 10u);
    EXPECT_GT(splitEofs, 0u);
}

// Damage to the record area or the header: what can be trusted is read, and one notice says
// how many records were lost.
TEST(EvtSource, DamageKeepsTheTrustedRecordsAndCountsTheLostOnes) {
    TTempDir dir;
    std::vector<TWinEvent> events = Week(2);  // not wrapped: records start at 0x30
    TEvtPlaces places;
    const std::vector<std::uint8_t> clean = EvtBytes(events, {}, &places);
    const std::size_t n = events.size();
    auto put32 = [](std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
        std::memcpy(&b[at], &v, 4);
    };
    struct TCase {
        const char* Name;
        std::function<void(std::vector<std::uint8_t>&)> Damage;
        std::size_t FirstKept;  // events before it are lost
        std::size_t Lost;       // records lost in all
        std::size_t LostIndex;  // one lost event in the middle (n: none)
    };
    const TCase cases[] = {
        {"stale header offsets of a dirty file",
         [&](auto& b) {
             put32(b, 16, 0x30 + 8);
             put32(b, 20, static_cast<std::uint32_t>(places.RecordAt[3]));
             put32(b, 36, 1);
         },
         0, 0, n},
        {"header and end-of-file record both point into a record",
         [&](auto& b) {
             put32(b, 16, static_cast<std::uint32_t>(places.RecordAt[0] + 12));
             put32(b, places.EofAt + 20, static_cast<std::uint32_t>(places.RecordAt[0] + 12));
         },
         0, 0, n},
        {"a record's signature overwritten",
         [&](auto& b) { put32(b, places.RecordAt[5] + 4, 0xDEADBEEF); }, 0, 1, 5},
        {"a record's closing length disagrees",
         [&](auto& b) {
             std::uint32_t len;
             std::memcpy(&len, &b[places.RecordAt[7]], 4);
             put32(b, places.RecordAt[7] + len - 4, len + 4);
         },
         0, 1, 7},
        {"a record's length points past the end",
         [&](auto& b) { put32(b, places.RecordAt[2], 0x7FFFFFF0); }, 0, 1, 2},
        {"the first record's length is zero", [&](auto& b) { put32(b, places.RecordAt[0], 0); }, 1,
         1, n},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::uint8_t> bytes = clean;
        c.Damage(bytes);
        std::vector<TWinEvent> left(events.begin() + static_cast<long>(c.FirstKept), events.end());
        std::vector<TReadRecord> want;
        for (const TReadRecord& r : Expected(events, 0, 1))
            if (r.Number > c.FirstKept && r.Number != c.LostIndex + 1) want.push_back(r);
        std::vector<std::string> notices;
        auto got = ReadFile<TEvtEventSource>(dir.WriteFile("d.evt", bytes), &notices);
        EXPECT_EQ(got, want);
        if (c.Lost == 0) {
            EXPECT_TRUE(notices.empty());
        } else {
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0].substr(0, notices[0].find(':')),
                      std::to_string(c.Lost) + (c.Lost == 1 ? " record" : " records") + " skipped");
        }
    }
}

TEST(EvtSource, CutShortFileGivesTheRecordsBeforeTheCutAndSaysHowManyWereLost) {
    TTempDir dir;
    std::vector<TWinEvent> events = Week(2);
    TEvtPlaces places;
    std::vector<std::uint8_t> bytes = EvtBytes(events, {}, &places);
    bytes.resize(places.RecordAt[10] + 30);  // inside the eleventh record
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtEventSource>(dir.WriteFile("cut.evt", bytes), &notices);
    std::vector<TReadRecord> want;
    for (const TReadRecord& r : Expected(events, 0, 1))
        if (r.Number <= 10) want.push_back(r);
    EXPECT_EQ(got, want);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].rfind(std::to_string(events.size() - 10) + " records skipped", 0), 0u)
        << notices[0];
}

TEST(EvtSource, EmptyAndHeaderOnlyLogsHaveNoRecords) {
    TTempDir dir;
    std::vector<std::string> notices;
    EXPECT_TRUE(ReadFile<TEvtEventSource>(dir.WriteFile("e.evt", EvtBytes({})), &notices).empty());
    std::vector<std::uint8_t> header = EvtBytes({});
    header.resize(kEvtHeaderSize);
    EXPECT_TRUE(ReadFile<TEvtEventSource>(dir.WriteFile("h.evt", header), &notices).empty());
    EXPECT_TRUE(notices.empty());
}

TEST(EvtSource, RefusesWhatIsNoEvtAndReadsAFreshCopyOnEveryOpen) {
    TTempDir dir;
    std::vector<std::uint8_t> bytes = EvtBytes(Week(1));
    bytes[44] = 0x31;  // the header's closing size
    TEvtEventSource bad(dir.WriteFile("bad.evt", bytes));
    EXPECT_FALSE(bad.Open());
    TEvtEventSource missing(dir.Path("missing.evt"));
    EXPECT_FALSE(missing.Open());

    std::string path = dir.WriteFile("a.evt", EvtBytes(Week(1)));
    TEvtEventSource source(path);
    std::size_t first = ReadAll(source).size();
    dir.WriteFile("a.evt", EvtBytes(Week(2)));
    EXPECT_EQ(ReadAll(source).size(), 2 * first);
}

// Boots and shutdowns alone: records of one size, so that one can stand in another's place.
std::vector<TWinEvent> BootsAndShutdowns(int boots) {
    std::vector<TWinEvent> events;
    for (int i = 0; i < boots; ++i) {
        std::int64_t t = 1100000000 + 86400LL * i;
        events.push_back(BootEvent(t));
        events.push_back(ShutdownEvent(t + 3600));
    }
    return events;
}

std::vector<std::string> NoticeCounts(const std::vector<std::string>& notices) {
    std::vector<std::string> counts;
    for (const std::string& n : notices) counts.push_back(n.substr(0, n.find(':')));
    return counts;
}

// A record number read before (a record copied over the next one) is older data, not a
// second event; the record it hides is counted lost.
TEST(EvtSource, ARepeatedRecordNumberIsNotReadTwice) {
    TTempDir dir;
    std::vector<TWinEvent> events = BootsAndShutdowns(4);
    TEvtPlaces places;
    std::vector<std::uint8_t> bytes = EvtBytes(events, {}, &places);
    const std::size_t length = places.RecordAt[3] - places.RecordAt[2];
    ASSERT_EQ(places.RecordAt[4] - places.RecordAt[3], length);
    std::memcpy(&bytes[places.RecordAt[3]], &bytes[places.RecordAt[2]], length);
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtEventSource>(dir.WriteFile("r.evt", bytes), &notices);
    std::vector<TReadRecord> want;
    for (const TReadRecord& r : Expected(events, 0, 1))
        if (r.Number != 4) want.push_back(r);
    EXPECT_EQ(got, want);
    EXPECT_EQ(NoticeCounts(notices), std::vector<std::string>{"1 record skipped"});
}

// A dirty file whose header no longer points at the end-of-file record: of the end-of-file
// records found, the one with the highest next record number is the log's, wherever the
// others lie.
TEST(EvtSource, AnOlderEndOfFileRecordIsNotTakenForTheLogsEnd) {
    TTempDir dir;
    std::vector<TWinEvent> events = BootsAndShutdowns(5);
    const std::size_t natural = EvtBytes(events).size();
    TEvtPlaces places;
    std::vector<std::uint8_t> bytes = EvtBytes(events, {natural + 400, true}, &places);
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&bytes[at], &v, 4); };
    // An end-of-file record of an earlier state of the log, when record 5 was the oldest,
    // left behind after the live one.
    const std::size_t stale = places.EofAt + 0x28 + 96;
    std::memcpy(&bytes[stale], &bytes[places.EofAt], 0x28);
    put32(stale + 20, static_cast<std::uint32_t>(places.RecordAt[4]));
    put32(stale + 24, static_cast<std::uint32_t>(stale));
    put32(stale + 28, 8);
    put32(stale + 32, 5);
    put32(20, 0x30 + 4);  // the header's end offset is stale
    std::vector<std::string> notices;
    EXPECT_EQ(ReadFile<TEvtEventSource>(dir.WriteFile("eof.evt", bytes), &notices),
              Expected(events, 0, 1));
    EXPECT_TRUE(notices.empty());
}

// A file cut short loses the records after the cut, however few bytes are left: the header's
// record numbers say how many there were.
TEST(EvtSource, AFileCutShortCountsEveryRecordLost) {
    TTempDir dir;
    std::vector<TWinEvent> events = BootsAndShutdowns(12);
    TEvtPlaces places;
    const std::vector<std::uint8_t> whole = EvtBytes(events, {}, &places);
    for (std::size_t kept : {1, 4}) {
        SCOPED_TRACE(kept);
        std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + places.RecordAt[kept] + 10);
        std::vector<std::string> notices;
        auto got = ReadFile<TEvtEventSource>(dir.WriteFile("cut.evt", bytes), &notices);
        EXPECT_EQ(got.size(), kept);
        EXPECT_EQ(
            NoticeCounts(notices),
            std::vector<std::string>{std::to_string(events.size() - kept) + " records skipped"});
    }
}

// A file that shrinks while it is read is not one state of the log: reading stops at the
// first short read, without looking for records byte by byte in what is gone, and the source
// says the log changed.
TEST(EvtSource, AFileThatShrinksWhileReadStopsAtOnceAndSaysTheLogChanged) {
    const std::vector<TWinEvent> events = BootsAndShutdowns(3000);
    const std::vector<std::uint8_t> bytes = EvtBytes(events);
    for (std::size_t reads : {2, 3, 6}) {
        SCOPED_TRACE(reads);
        TShrinkingFile file(bytes, reads, bytes.size() / 3);
        std::istream stream(&file);
        std::vector<std::string> notices;
        TEvtEventSource source("s.evt", [&](const std::string& t) { notices.push_back(t); });
        ASSERT_TRUE(source.OpenStream(stream, bytes.size()));
        TLogEvent event;
        while (source.Next(event)) {
        }
        EXPECT_EQ(source.ReadReport().Failure, "s.evt: the log changed while it was read");
        EXPECT_LE(file.Reads(), bytes.size() / 65536 + 4);  // a block at a time, no more
        EXPECT_TRUE(notices.empty());
    }
}

// Texts from the log reach terminals: controls, C1 controls and direction overrides are
// replaced; the service account is named as before.
TEST(EvtSource, VersionAndBootTextsAreMadeSafe) {
    TTempDir dir;
    TWinEvent boot = BootEvent(1300000000);
    boot.Strings = {"\x1B]0;owned\x07"};
    std::vector<TWinEvent> events = {boot, VersionEvent(1300000001, {"6.01.\x1B[2J",
                                                                     "76\xC2\x9B"
                                                                     "01",
                                                                     "\xE2\x81\xA6"
                                                                     "x"})};
    auto got = ReadFile<TEvtEventSource>(dir.WriteFile("v.evt", EvtBytes(events)), nullptr);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Detail, "6.01.?[2J 76?01 ?x");
    EXPECT_EQ(got[1].Detail, "?]0;owned?");
}

}  // namespace
