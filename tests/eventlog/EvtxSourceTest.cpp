#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "common/ShrinkingFile.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"
#include "eventlog/EventRecord.h"
#include "eventlog/EvtxChunk.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/WindowsLogReading.h"

namespace {

const std::string kUser = "S-1-5-21-1004336348-1177238915-682003330-1000";

// What the reader should hand out, newest first: kept ids only, the provider as source,
// insertion strings for 6009 alone.
std::vector<TReadRecord> Expected(const std::vector<TWinEvent>& events,
                                  std::function<bool(std::size_t)> keep = {}) {
    std::vector<TReadRecord> out;
    std::uint64_t id = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const TWinEvent& e = events[i];
        id = e.RecordId ? e.RecordId : id + 1;
        if (e.Id != 6005 && e.Id != 6006 && e.Id != 6009 && e.Id != 7035) continue;
        if (keep && !keep(i)) continue;
        TReadRecord r;
        r.Kind = KindOfEventId(e.Id);
        r.Time = static_cast<std::uint32_t>(e.Time);
        r.Number = id;
        if (e.Id == 7035) r.Account = e.Sid == "S-1-5-18" ? "SYSTEM" : e.Sid;
        if (e.Id == 6009) r.Detail = SystemVersionText(e.Strings);
        out.insert(out.begin(), r);
    }
    return out;
}

// Boots with version events, services started by SYSTEM and by a user, shutdowns and noise.
std::vector<TWinEvent> Days(int days) {
    std::vector<TWinEvent> events;
    for (int d = 0; d < days; ++d) {
        std::int64_t t = UtcSeconds(2021, 6, 1 + d, 7, 30, 0);
        events.push_back(BootEvent(t));
        events.push_back(
            VersionEvent(t + 1, {"10.00.", "19045", "", "Multiprocessor Free", "17763"}));
        events.push_back(OtherEvent(7036, t + 2));
        events.push_back(ServiceEvent("S-1-5-18", t + 30));
        events.push_back(ServiceEvent(kUser, t + 90));
        events.push_back(ShutdownEvent(t + 8 * 3600));
    }
    return events;
}

std::size_t ChunkAt(std::size_t index) {
    return kEvtxHeaderBlockSize + index * kEvtxChunkSize;
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    std::memcpy(&b[at], &v, 4);
}

TEST(EvtxSource, ReadsRecordsAcrossChunksWithTemplatesReused) {
    TTempDir dir;
    std::vector<TWinEvent> events = Days(4);
    TEvtxPlaces places;
    std::vector<std::uint8_t> bytes = EvtxBytes(events, {7}, &places);
    ASSERT_EQ(bytes.size(), ChunkAt(4));  // 24 records, 7 to a chunk
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("s.evtx", bytes), &notices);
    EXPECT_EQ(got, Expected(events));
    EXPECT_TRUE(notices.empty());
    ASSERT_FALSE(got.empty());
    // A 7035 written with qualifiers in the high word is still a user's event.
    EXPECT_EQ(got[1].Kind, ekUser);
    EXPECT_EQ(got[1].Account, kUser);
}

// Record ids decide the order, not chunk order nor time: a dirty file can hold its chunks
// out of order, and clocks jump back.
TEST(EvtxSource, HandsRecordsOutInRecordIdOrder) {
    TTempDir dir;
    std::vector<TWinEvent> events = Days(2);
    for (std::size_t i = 0; i < events.size(); ++i)
        events[i].RecordId = i < 6 ? 100 + i : 50 + i;  // the second chunk holds older ids
    events[8].Time -= 86400 * 30;                       // a clock set back
    auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("o.evtx", EvtxBytes(events, {6})), nullptr);
    ASSERT_EQ(got.size(), 10u);
    for (std::size_t i = 1; i < got.size(); ++i) EXPECT_GT(got[i - 1].Number, got[i].Number);
    EXPECT_EQ(got.front().Number, 105u);
    EXPECT_EQ(got.back().Number, 56u);
}

TEST(EvtxSource, DamagedChunksAndRecordsAreSkippedAndCounted) {
    TTempDir dir;
    std::vector<TWinEvent> events = Days(3);  // 18 records, 6 to a chunk: one day per chunk
    TEvtxPlaces places;
    const std::vector<std::uint8_t> clean = EvtxBytes(events, {6}, &places);
    auto inChunk = [](std::size_t c) { return [c](std::size_t i) { return i / 6 != c; }; };
    struct TCase {
        const char* Name;
        std::function<void(std::vector<std::uint8_t>&)> Damage;
        std::function<bool(std::size_t)> Keep;
        std::string Notice;
    };
    const TCase cases[] = {
        {"a byte of the record area changed", [&](auto& b) { b[places.RecordAt[8] + 40] ^= 1; },
         inChunk(1), "6 records skipped: chunk checksum mismatch"},
        {"a byte of the chunk header changed", [&](auto& b) { b[ChunkAt(2) + 300] ^= 0x80; },
         inChunk(2), "6 records skipped: chunk header checksum mismatch"},
        {"a chunk's signature gone", [&](auto& b) { b[ChunkAt(0)] = 'X'; }, inChunk(0),
         "6 records skipped: a chunk without its signature"},
        {"a record's size points past its chunk, checksums made to agree",
         [&](auto& b) {
             Put32(b, places.RecordAt[9] + 4, 70000);
             FixEvtxChecksums(b);
         },
         [](std::size_t i) { return i < 9 || i >= 12; },
         "3 records skipped: a record whose size points past its chunk"},
        {"a template token damaged, checksums made to agree",
         [&](auto& b) {
             // The first record of the chunk defines its template inline; its token stream
             // starts 24 + 4 + 10 + 24 bytes in with the fragment header.
             b[places.RecordAt[12] + 62] = 0x77;
             FixEvtxChecksums(b);
         },
         // Only the EventLog records of that chunk use the template: boot, version, shutdown.
         [&](std::size_t i) { return i < 12 || events[i].Provider != "EventLog"; },
         "3 records skipped: a record whose binary XML is damaged"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::uint8_t> bytes = clean;
        c.Damage(bytes);
        std::vector<std::string> notices;
        auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("d.evtx", bytes), &notices);
        EXPECT_EQ(got, Expected(events, c.Keep));
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0], c.Notice);
    }
}

TEST(EvtxSource, CutShortFileAndUncountedChunksAndUnusedChunks) {
    TTempDir dir;
    std::vector<TWinEvent> events = Days(3);
    const std::vector<std::uint8_t> clean = EvtxBytes(events, {6});

    std::vector<std::uint8_t> cut(clean.begin(), clean.begin() + ChunkAt(2) + 5000);
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("cut.evtx", cut), &notices);
    EXPECT_EQ(got, Expected(events, [](std::size_t i) { return i < 12; }));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].rfind("records skipped: the file is cut short"), notices[0].find(' ') + 1)
        << notices[0];

    // A dirty file's header can count fewer chunks than it holds; an unused chunk is zeros.
    std::vector<std::uint8_t> more = clean;
    more[42] = 1;
    more.resize(more.size() + kEvtxChunkSize, 0);
    FixEvtxChecksums(more);
    notices.clear();
    EXPECT_EQ(ReadFile<TEvtxEventSource>(dir.WriteFile("more.evtx", more), &notices),
              Expected(events));
    EXPECT_TRUE(notices.empty());

    std::vector<std::uint8_t> headerOnly(clean.begin(), clean.begin() + kEvtxHeaderBlockSize);
    EXPECT_TRUE(ReadFile<TEvtxEventSource>(dir.WriteFile("h.evtx", headerOnly), &notices).empty());
    EXPECT_TRUE(notices.empty());
}

// A chunk written twice (a stale copy left behind, a copied file) would add every session of
// it again, with invented abnormal shutdowns; records whose id was read already are dropped
// and counted.
TEST(EvtxSource, RecordsWithAnIdAlreadyReadAreDroppedAndCounted) {
    TTempDir dir;
    std::vector<TWinEvent> events = Days(3);
    std::vector<std::uint8_t> bytes = EvtxBytes(events, {6});
    const std::vector<std::uint8_t> second(bytes.begin() + ChunkAt(1), bytes.begin() + ChunkAt(2));
    bytes.insert(bytes.end(), second.begin(), second.end());  // chunk 1 again, as chunk 3
    bytes.insert(bytes.begin() + ChunkAt(1), second.begin(), second.end());  // and before it
    FixEvtxChecksums(bytes);
    std::vector<std::string> notices;
    EXPECT_EQ(ReadFile<TEvtxEventSource>(dir.WriteFile("twice.evtx", bytes), &notices),
              Expected(events));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "12 records skipped: a record whose number was read before");

    TEvtxRecordIds ids;
    for (std::uint64_t id : {5, 7, 6, 1, 3, 2, 9}) ids.Add(id);
    for (std::uint64_t id = 0; id <= 10; ++id)
        EXPECT_EQ(ids.Contains(id), id != 0 && id != 4 && id != 8 && id != 10) << id;
    ids.Add(UINT64_MAX);
    EXPECT_TRUE(ids.Contains(UINT64_MAX));
    EXPECT_FALSE(ids.Contains(UINT64_MAX - 1));
}

// TimeCreated is a FILETIME substitution; when a record carries anything else there, the
// record's own written time stands in.
TEST(EvtxSource, ATimeCreatedThatIsNoFileTimeFallsBackToTheWrittenTime) {
    TTempDir dir;
    std::vector<TWinEvent> events = {BootEvent(UtcSeconds(2021, 6, 1, 7, 0, 0)),
                                     ShutdownEvent(UtcSeconds(2021, 6, 1, 9, 0, 0))};
    TEvtxPlaces places;
    std::vector<std::uint8_t> bytes = EvtxBytes(events, {}, &places);
    // The classic template's values: the event id (2 bytes, UInt16), then TimeCreated
    // (8 bytes, FILETIME 0x11), which becomes a UInt64 (0x0A).
    const std::uint8_t descriptors[] = {2, 0, 6, 0, 8, 0, 0x11, 0};
    const std::size_t record = places.RecordAt[1];
    auto at = std::search(bytes.begin() + record, bytes.end(), std::begin(descriptors),
                          std::end(descriptors));
    ASSERT_NE(at, bytes.end());
    at[6] = 0x0A;
    const std::int64_t written = UtcSeconds(2021, 6, 1, 10, 0, 0);
    const std::uint64_t ticks = (written + 11644473600ull) * 10000000ull;
    std::memcpy(&bytes[record + 16], &ticks, 8);
    FixEvtxChecksums(bytes);
    std::vector<std::string> notices;
    auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("t.evtx", bytes), &notices);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Kind, ekShutdown);
    EXPECT_EQ(got[0].Time, written);
    EXPECT_EQ(got[1].Time, events[0].Time);
    EXPECT_TRUE(notices.empty());
}

// A file that shrinks while it is read is not one state of the log: reading stops at the
// first short read and the source says the log changed, keeping what it read before.
TEST(EvtxSource, AFileThatShrinksWhileReadStopsAndSaysTheLogChanged) {
    std::vector<TWinEvent> events = Days(8);
    const std::vector<std::uint8_t> bytes = EvtxBytes(events, {6});
    for (std::size_t reads : {1, 2, 4}) {
        SCOPED_TRACE(reads);
        TShrinkingFile file(bytes, reads, ChunkAt(1) + 100);
        std::istream stream(&file);
        std::vector<std::string> notices;
        TEvtxEventSource source("s.evtx", [&](const std::string& t) { notices.push_back(t); });
        ASSERT_TRUE(source.OpenStream(stream, bytes.size()));
        std::size_t n = 0;
        TLogEvent event;
        while (source.Next(event)) ++n;
        EXPECT_EQ(source.ReadReport().Failure, "s.evtx: the log changed while it was read");
        // The header, then chunks until the first one past the shrink; the first chunk is
        // never cut. Five of each chunk's six records are kept.
        EXPECT_EQ(n, 5 * std::max<std::size_t>(1, reads - 1));
        EXPECT_EQ(file.Reads(), std::max<std::size_t>(2, reads) + 1);
        EXPECT_TRUE(notices.empty());
    }
}

// Version texts come from the log: controls and direction overrides are not passed on.
TEST(EvtxSource, VersionTextsAreMadeSafe) {
    TTempDir dir;
    std::vector<TWinEvent> events = {BootEvent(1600000000),
                                     VersionEvent(1600000001, {"10.00.\x1B]0;x\x07",
                                                               "\x1B[2J1904\xC2\x9B"
                                                               "5",
                                                               "\xE2\x80\xAE"
                                                               "abc"})};
    auto got = ReadFile<TEvtxEventSource>(dir.WriteFile("v.evtx", EvtxBytes(events)), nullptr);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Detail, "10.00.?]0;x? ?[2J1904?5 ?abc");
}

}  // namespace
