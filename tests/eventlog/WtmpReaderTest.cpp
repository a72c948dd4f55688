#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/ResultText.h"
#include "common/WtmpTestFile.h"
#include "eventlog/EventRecord.h"
#include "eventlog/SafeText.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpRecord.h"
#include "eventlog/WtmpSource.h"

namespace {

// Boots one per 100 seconds from t0: every record is an event, so the events read tell
// exactly which records survived.
std::vector<TWtmpEntry> Boots(int count, std::int64_t t0 = 1'000'000) {
    std::vector<TWtmpEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back(BootEntry(t0 + 100 * i));
    return entries;
}

std::vector<std::uint32_t> Times(const std::vector<TReadEvent>& events) {
    std::vector<std::uint32_t> times;
    for (const TReadEvent& e : events) times.push_back(e.Time);
    return times;
}

// The times of Boots(count) newest first, without those at the given indexes.
std::vector<std::uint32_t> ExpectedTimes(int count, std::vector<int> lost = {}) {
    std::vector<std::uint32_t> times;
    for (int i = count - 1; i >= 0; --i)
        if (std::find(lost.begin(), lost.end(), i) == lost.end())
            times.push_back(static_cast<std::uint32_t>(1'000'000 + 100 * i));
    return times;
}

TEST(WtmpReader, TornOrStrayBytesLoseOnlyTheRecordsTheyOverlap) {
    constexpr std::size_t kSize = 384;
    const std::vector<std::uint8_t> whole = WtmpBytes(Boots(10));
    struct TCase {
        const char* What;
        std::size_t At;         // where the damage starts
        std::size_t Cut;        // bytes of the original removed there
        std::size_t Inserted;   // stray bytes put there
        std::vector<int> Lost;  // records no longer readable
    } cases[] = {
        {"record 4 cut to its first 200 bytes", 4 * kSize + 200, kSize - 200, 0, {4}},
        {"record 4 cut to its first 4 bytes", 4 * kSize + 4, kSize - 4, 0, {4}},
        {"record 4 cut to its first 383 bytes", 4 * kSize + 383, 1, 0, {4}},
        {"the last record cut short", 9 * kSize + 100, kSize - 100, 0, {9}},
        {"the first record cut short", 120, kSize - 120, 0, {0}},
        {"100 stray bytes between records", 5 * kSize, 0, 100, {}},
        {"1 stray byte between records", 5 * kSize, 0, 1, {}},
        {"100 stray bytes inside record 6", 6 * kSize + 50, 0, 100, {6}},
        {"stray bytes after the last record", 10 * kSize, 0, 77, {}},
        {"stray bytes before the first record", 0, 0, 300, {}},
    };
    TTempDir dir;
    for (const TCase& c : cases) {
        std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + c.At);
        for (std::size_t i = 0; i < c.Inserted; ++i)
            bytes.push_back(static_cast<std::uint8_t>(0x41 + i % 26));
        bytes.insert(bytes.end(), whole.begin() + c.At + c.Cut, whole.end());
        TWtmpEventSource source(dir.WriteFile("wtmp", bytes));
        EXPECT_EQ(Times(ReadAllEvents(source)), ExpectedTimes(10, c.Lost)) << c.What;
        std::uint64_t lostBytes = c.Lost.size() * kSize - c.Cut + c.Inserted;
        EXPECT_EQ(source.ReadReport().SkippedBytes, lostBytes) << c.What;
        EXPECT_EQ(source.ReadReport().Failure, "") << c.What;
    }
}

TEST(WtmpReader, StrayBytesInALargeLogCostOnlyTheirOwnPlace) {
    constexpr int kCount = 100'000;
    std::vector<std::uint8_t> bytes = WtmpBytes(Boots(kCount));
    std::vector<std::uint8_t> stray(100, 0xA5);
    bytes.insert(bytes.begin() + 384 * (kCount / 2), stray.begin(), stray.end());
    TTempDir dir;
    TWtmpEventSource source(dir.WriteFile("wtmp", bytes));
    std::vector<TReadEvent> events = ReadAllEvents(source);
    EXPECT_EQ(events.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(source.ReadReport().SkippedBytes, 100u);
}

TEST(WtmpReader, TimesAreUnsignedAndReadPast2038) {
    const std::int64_t after2038 = (std::int64_t{1} << 31) + 5;  // 2038-01-19 03:14:13 UTC
    const std::int64_t last = 4'294'967'295;                     // 2106-02-07 06:28:15 UTC
    TTempDir dir;
    TWtmpEventSource source(
        dir.WriteWtmp("wtmp", {BootEntry(100), BootEntry(after2038), BootEntry(last)}));
    EXPECT_EQ(Times(ReadAllEvents(source)),
              (std::vector<std::uint32_t>{4'294'967'295u, 2'147'483'653u, 100u}));
}

TEST(WtmpReader, RotatedFilesAreReadNewestFileFirst) {
    TTempDir dir;
    std::string current = dir.WriteWtmp("wtmp", {BootEntry(5000), LoginEntry("new", 5100)});
    std::string rotated = dir.WriteWtmp("wtmp.1", {BootEntry(1000), LoginEntry("old", 1100)});
    TWtmpEventSource source(std::vector<std::string>{current, rotated});
    std::vector<TReadEvent> events = ReadAllEvents(source);
    EXPECT_EQ(Times(events), (std::vector<std::uint32_t>{5100, 5000, 1100, 1000}));
    EXPECT_EQ(events[0].User, "new");
    EXPECT_EQ(events[2].User, "old");

    // A missing older file ends the history there and says so.
    TWtmpEventSource gone(std::vector<std::string>{current, dir.Path("wtmp.2")});
    EXPECT_EQ(Times(ReadAllEvents(gone)), (std::vector<std::uint32_t>{5100, 5000}));
    EXPECT_NE(gone.ReadReport().Failure.find("wtmp.2"), std::string::npos);
}

// The state kept between reads (position, block cache, report) starts afresh with each Open.
TEST(WtmpReader, EveryOpenReadsTheFileAsItIsNow) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows does not let a file be renamed over one that is open";
#endif
    TTempDir dir;
    std::string path = dir.WriteWtmp("wtmp", Boots(3000, 1000));
    TWtmpEventSource source(path);
    std::vector<std::uint32_t> first = Times(ReadAllEvents(source));
    ASSERT_EQ(first.size(), 3000u);
    EXPECT_EQ(Times(ReadAllEvents(source)), first);

    // Stopped half way, then opened again: from the newest record once more.
    ASSERT_TRUE(source.Open());
    TLogEvent event;
    for (int i = 0; i < 1500; ++i) ASSERT_TRUE(source.Next(event));
    EXPECT_EQ(Times(ReadAllEvents(source)), first);

    // Replaced by a file of the same size (as rotation does) while its newest block is held:
    // none of the old bytes come back from the block cache.
    ASSERT_TRUE(source.Open());
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(source.Next(event));
    std::string next = dir.WriteWtmp("next", Boots(3000, 9'000'000));
    std::filesystem::rename(next, path);
    std::vector<std::uint32_t> after = Times(ReadAllEvents(source));
    ASSERT_EQ(after.size(), 3000u);
    EXPECT_EQ(after.front(), 9'000'000u + 100u * 2999u);
    EXPECT_EQ(after.back(), 9'000'000u);

    // A torn file's skip count belongs to the read that saw it.
    std::vector<std::uint8_t> torn = WtmpBytes(Boots(4));
    torn.resize(torn.size() - 10);
    dir.WriteFile("wtmp", torn);
    ReadAllEvents(source);
    EXPECT_EQ(source.ReadReport().SkippedBytes, 374u);
    dir.WriteWtmp("wtmp", Boots(4));
    ReadAllEvents(source);
    EXPECT_EQ(source.ReadReport().SkippedBytes, 0u);

    // After the end every read says so again, and reads after Close fail without a crash.
    ASSERT_TRUE(source.Open());
    while (source.Next(event)) {
    }
    EXPECT_FALSE(source.Next(event));
    EXPECT_TRUE(source.ReadReport().Failure.empty());
    source.Close();
    EXPECT_FALSE(source.Next(event));
}

TEST(WtmpReader, ALogThatChangesWhileReadIsReported) {
    struct TCase {
        const char* What;
        void (*Change)(const std::string& path);
        bool Reported;
    } cases[] = {
        {"cut to a few records",
         [](const std::string& p) { std::filesystem::resize_file(p, 384 * 3); }, true},
        {"rewritten in place at the same size",
         [](const std::string& p) {
             std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(384 * 2000 + 340);
             f.write("\x01\x02\x03\x04", 4);
             f.close();
             std::filesystem::last_write_time(
                 p, std::filesystem::last_write_time(p) + std::chrono::seconds(5));
         },
         true},
        {"grown by a new record",
         [](const std::string& p) {
             std::vector<std::uint8_t> more = WtmpBytes({BootEntry(1)});
             std::ofstream(p, std::ios::app | std::ios::binary)
                 .write(reinterpret_cast<const char*>(more.data()), 384);
         },
         false},
    };
    for (const TCase& c : cases) {
        TTempDir dir;
        std::string path = dir.WriteWtmp("wtmp", Boots(4000));
        TWtmpEventSource source(path);
        ASSERT_TRUE(source.Open());
        TLogEvent event;
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(source.Next(event));
        c.Change(path);
        int more = 0;
        while (source.Next(event)) ++more;
        EXPECT_EQ(!source.ReadReport().Failure.empty(), c.Reported) << c.What;
        if (!c.Reported) {
            EXPECT_EQ(more, 3990) << c.What;
        }
        source.Close();
    }
}

TEST(WtmpReader, PlausibilityOfEachField) {
    const std::vector<std::uint8_t> good = WtmpBytes({LoginEntry("alice", 1'700'000'000)});
    ASSERT_TRUE(IsPlausibleWtmpRecord(good));
    struct TCase {
        const char* What;
        std::size_t At;
        std::vector<std::uint8_t> Bytes;
        bool Plausible;
    } cases[] = {
        {"type 9, the last known", kWtmpTypeOffset, {9, 0}, true},
        {"type 0", kWtmpTypeOffset, {0, 0}, true},
        {"type 10", kWtmpTypeOffset, {10, 0}, false},
        {"type -1", kWtmpTypeOffset, {0xFF, 0xFF}, false},
        {"padding after the type", 2, {1}, false},
        {"negative pid", kWtmpPidOffset + 3, {0x80}, false},
        {"a million microseconds", kWtmpTimeOffset + 4, {0x40, 0x42, 0x0F, 0}, false},
        {"999999 microseconds", kWtmpTimeOffset + 4, {0x3F, 0x42, 0x0F, 0}, true},
        {"bytes after the user's end", kWtmpUserOffset + 10, {'x'}, false},
        {"bytes after the line's end", kWtmpLineOffset + 20, {'x'}, false},
        {"bytes after the host's end", kWtmpHostOffset + 255, {'x'}, false},
        {"a user filling its field", kWtmpUserOffset, std::vector<std::uint8_t>(32, 'u'), true},
        {"an address", kWtmpAddressOffset, {192, 168, 1, 2}, true},
    };
    for (const TCase& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        std::copy(c.Bytes.begin(), c.Bytes.end(), bytes.begin() + c.At);
        EXPECT_EQ(IsPlausibleWtmpRecord(bytes), c.Plausible) << c.What;
    }
    EXPECT_FALSE(IsPlausibleWtmpRecord(std::span(good).first(383)));
}

TEST(WtmpReader, TypeRangeEdgesDecideWhetherAFileIsALog) {
    TTempDir dir;
    for (auto [type, known] : {std::pair{-1, false}, {0, true}, {9, true}, {10, false}}) {
        std::vector<std::uint8_t> bytes = WtmpBytes(Boots(3));
        for (std::size_t at = 0; at < bytes.size(); at += 384) {
            bytes[at] = static_cast<std::uint8_t>(type & 0xFF);
            bytes[at + 1] = static_cast<std::uint8_t>((type >> 8) & 0xFF);
        }
        EXPECT_EQ(IsKnownWtmpType(std::span(bytes).subspan(384, 384)), known) << type;
        EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("w", bytes))).empty(), known) << type;
    }
}

TEST(WtmpReader, AccountNamesAreMadeSafeToShow) {
    auto name = [](const std::string& s) { return SafeLogText(s); };
    const std::string bad = "\xEF\xBF\xBD";  // U+FFFD
    struct TCase {
        const char* What;
        std::string In, Out;
    } cases[] = {
        {"space is kept", "a b", "a b"},
        {"DEL is a control character",
         "a\x7F"
         "b",
         "a?b"},
        {"tab and line feed", "a\tb\nc", "a?b?c"},
        {"highest ASCII letter", "~", "~"},
        {"overlong two-byte '/'", "\xC0\xAF", bad + bad},
        {"overlong two-byte NUL", "\xC1\xBF", bad + bad},
        {"overlong three-byte", "\xE0\x80\xAF", bad + bad + bad},
        {"overlong three-byte, largest", "\xE0\x9F\xBF", bad + bad + bad},
        {"shortest three-byte", "\xE0\xA0\x80", "\xE0\xA0\x80"},
        {"overlong four-byte", "\xF0\x80\x80\xAF", bad + bad + bad + bad},
        {"overlong four-byte, largest", "\xF0\x8F\xBF\xBF", bad + bad + bad + bad},
        {"shortest four-byte", "\xF0\x90\x80\x80", "\xF0\x90\x80\x80"},
        {"largest code point", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"past the largest code point", "\xF4\x90\x80\x80", bad + bad + bad + bad},
        {"five-byte lead", "\xF8\x88\x80\x80\x80", bad + bad + bad + bad + bad},
        {"lone continuation", "\x80x", bad + "x"},
        {"surrogate", "\xED\xA0\x80", bad + bad + bad},
        {"last before the surrogates", "\xED\x9F\xBF", "\xED\x9F\xBF"},
        {"cut-off sequence at the end", "ab\xE4\xB8", "ab" + bad + bad},
        {"Chinese", "张三", "张三"},
        {"C1 control CSI as a character",
         "a\xC2\x9B"
         "2Jb",
         "a?2Jb"},
        {"first and last C1 controls", "\xC2\x80\xC2\x9F", "??"},
        {"first character after the C1 controls", "\xC2\xA0", "\xC2\xA0"},
        {"C1 CSI as a raw byte",
         "a\x9B"
         "2J",
         "a" + bad + "2J"},
        {"right-to-left override", "evil\xE2\x80\xAEgpj.exe", "evil?gpj.exe"},
        {"left-to-right embedding", "\xE2\x80\xAAx", "?x"},
        {"first isolate and pop isolate", "\xE2\x81\xA6x\xE2\x81\xA9", "?x?"},
        {"beside the overrides", "\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA",
         "\xE2\x80\xA9\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA"},
    };
    for (const TCase& c : cases) EXPECT_EQ(name(c.In), c.Out) << c.What;
}

}  // namespace
