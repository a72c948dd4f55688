#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/WindowsLogTestFile.h"
#include "eventlog/Crc32.h"
#include "eventlog/EventRecord.h"
#include "eventlog/Sid.h"

namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(Crc32, MatchesTheStandardCheckValuesAndContinues) {
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
    // Every split of a longer text continues to the same value, across the 8-byte steps.
    std::string text = "ElfChnk and the quick brown fox, seventy-one bytes long to cross steps";
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::uint32_t first = Crc32(Bytes(text.substr(0, cut)));
        EXPECT_EQ(Crc32(Bytes(text.substr(cut)), first), Crc32(Bytes(text))) << cut;
    }
}

TEST(Sid, TextAndWellKnownNames) {
    struct TCase {
        std::string Sid, Text, Name;
    } cases[] = {
        {"S-1-5-18", "S-1-5-18", "SYSTEM"},
        {"S-1-5-19", "S-1-5-19", "LOCAL SERVICE"},
        {"S-1-5-20", "S-1-5-20", "NETWORK SERVICE"},
        {"S-1-5-21-1-2-3-1001", "S-1-5-21-1-2-3-1001", "S-1-5-21-1-2-3-1001"},
        {"S-1-5-21-4294967295-2147483648-7-500", "S-1-5-21-4294967295-2147483648-7-500",
         "S-1-5-21-4294967295-2147483648-7-500"},
        {"S-1-5-18-1", "S-1-5-18-1", "S-1-5-18-1"},  // not the system account
        {"S-1-0", "S-1-0", "S-1-0"},
    };
    for (const TCase& c : cases) {
        std::vector<std::uint8_t> sid = SidBytes(c.Sid);
        std::string text, name;
        EXPECT_TRUE(SidText(sid, text));
        EXPECT_EQ(text, c.Text);
        EXPECT_TRUE(SidAccountName(sid, name));
        EXPECT_EQ(name, c.Name);
    }
    // An authority past 32 bits is written in hexadecimal.
    std::vector<std::uint8_t> wide = {1, 1, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 7, 0, 0, 0};
    std::string text;
    EXPECT_TRUE(SidText(wide, text));
    EXPECT_EQ(text, "S-1-0x123456789ABC-7");
}

TEST(Sid, RefusesBytesThatAreNotOneWholeIdentifier) {
    std::vector<std::uint8_t> good = SidBytes("S-1-5-21-1-2-3");
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {1, 0, 0, 0, 0, 0, 0},                                    // shorter than the fixed part
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),  // last sub-authority cut
    };
    bad.push_back(good);
    bad.back().push_back(0);  // a byte too many
    bad.push_back(good);
    bad.back()[0] = 2;  // unknown revision
    std::vector<std::uint8_t> many(8 + 4 * 16, 0);
    many[0] = 1;
    many[1] = 16;  // more sub-authorities than any SID has
    bad.push_back(many);
    for (const auto& b : bad) {
        std::string name = "unchanged";
        EXPECT_FALSE(SidAccountName(b, name)) << b.size();
        EXPECT_EQ(name, "unchanged");
    }
}

std::vector<std::uint8_t> Record(std::vector<std::u16string> strings,
                                 std::vector<std::uint8_t> sid) {
    std::vector<std::uint8_t> out;
    TEventRecordParts parts;
    parts.RecordNumber = 42;
    parts.TimeGenerated = 1700000000;
    parts.EventId = 6009;
    parts.SourceName = u"EventLog";
    parts.Sid = sid;
    parts.Strings = strings;
    std::size_t size = AppendEventRecord(out, parts);
    EXPECT_EQ(size, out.size());
    return out;
}

TEST(EventRecord, WholeRecordsCarryTheirSourceAccountAndStrings) {
    std::vector<std::uint8_t> sid = SidBytes("S-1-5-21-7-8-9-1000");
    std::vector<std::uint8_t> rec =
        Record({u"6.01.", u"7601", u"", u"\u4E2D\u6587 \U0001F600"}, sid);
    ASSERT_EQ(rec.size() % 4, 0u);
    TEventRecordHead head;
    ASSERT_TRUE(ReadEventRecordHead(rec, head));
    EXPECT_EQ(head.Length, rec.size());
    std::uint32_t closing;
    std::memcpy(&closing, &rec[rec.size() - 4], 4);
    EXPECT_EQ(closing, rec.size());
    EXPECT_EQ(head.RecordNumber, 42u);
    EXPECT_EQ(head.TimeGenerated, 1700000000u);
    EXPECT_EQ(head.EventId, 6009u);
    EXPECT_EQ(head.NumStrings, 4);
    EXPECT_EQ(EventRecordSourceName(rec), "EventLog");
    std::span<const std::uint8_t> got = EventRecordSid(rec, head);
    EXPECT_EQ(std::vector<std::uint8_t>(got.begin(), got.end()), sid);
    EXPECT_EQ(EventRecordStrings(rec, head),
              (std::vector<std::string>{"6.01.", "7601", "", "中文 😀"}));
}

TEST(EventRecord, StringsThatRunPastTheRecordAreLeftOut) {
    std::vector<std::uint8_t> rec = Record({u"one", u"two"}, {});
    TEventRecordHead head;
    ASSERT_TRUE(ReadEventRecordHead(rec, head));
    TEventRecordHead more = head;
    more.NumStrings = 9;  // more than there are: the padding gives empty ones, then nothing
    std::vector<std::string> strings = EventRecordStrings(rec, more);
    ASSERT_GE(strings.size(), 2u);
    EXPECT_EQ(strings[0], "one");
    EXPECT_LE(strings.size(), 4u);
    TEventRecordHead outside = head;
    outside.StringOffset = head.Length + 8;
    EXPECT_TRUE(EventRecordStrings(rec, outside).empty());
    TEventRecordHead inHead = head;
    inHead.StringOffset = 8;
    EXPECT_TRUE(EventRecordStrings(rec, inHead).empty());
    // Only the bytes actually read count, whatever the length says.
    std::span<const std::uint8_t> cut(rec.data(), head.StringOffset + 5);
    EXPECT_TRUE(EventRecordStrings(cut, head).empty());
    // An unpaired surrogate becomes U+FFFD.
    const std::uint8_t lone[] = {0x3D, 0xD8, 0x41, 0x00};
    EXPECT_EQ(Utf16BytesToUtf8(lone),
              "\xEF\xBF\xBD"
              "A");
}

}  // namespace
