#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

}  // namespace
