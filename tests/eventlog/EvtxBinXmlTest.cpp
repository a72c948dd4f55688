#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "eventlog/EvtxBinXml.h"

namespace {

// Binary XML written token by token at chunk offsets, names inline at first use.
class TXml {
  public:
    std::vector<std::uint8_t> Chunk = std::vector<std::uint8_t>(600, 0);  // records start at 512

    std::size_t Begin() const { return 600; }
    std::size_t End() const { return Chunk.size(); }

    TXml& U8(std::uint8_t v) {
        Chunk.push_back(v);
        return *this;
    }
    TXml& U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    TXml& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    TXml& Name(const std::string& n) {
        for (auto& [name, at] : names_)
            if (name == n) return U32(at);
        std::uint32_t at = static_cast<std::uint32_t>(Chunk.size() + 4);
        names_.push_back({n, at});
        U32(at).U32(0).U16(0).U16(static_cast<std::uint16_t>(n.size()));
        for (char c : n) U16(static_cast<std::uint8_t>(c));
        return U16(0);
    }
    TXml& Open(const std::string& n, bool attributes = false) {
        U8(attributes ? 0x41 : 0x01).U16(0xFFFF).U32(0).Name(n);
        return attributes ? U32(0) : *this;
    }
    TXml& Attr(const std::string& n, bool more = false) { return U8(more ? 0x46 : 0x06).Name(n); }
    TXml& Text(const std::string& t) {
        U8(0x05).U8(0x01).U16(static_cast<std::uint16_t>(t.size()));
        for (char c : t) U16(static_cast<std::uint8_t>(c));
        return *this;
    }
    TXml& Sub(std::uint16_t index, std::uint8_t type) { return U8(0x0E).U16(index).U8(type); }
    TXml& CloseStart() { return U8(0x02); }
    TXml& CloseEmpty() { return U8(0x03); }
    TXml& End() { return U8(0x04); }
    TXml& Eof() { return U8(0x00); }

    // Instance data after the template: values of the given types and bytes.
    std::size_t Values(const std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>>& vs) {
        std::size_t at = Chunk.size();
        U32(static_cast<std::uint32_t>(vs.size()));
        for (auto& [type, bytes] : vs) U16(static_cast<std::uint16_t>(bytes.size())).U8(type).U8(0);
        for (auto& v : vs)
            for (std::uint8_t b : v.second) U8(b);
        return at;
    }

  private:
    std::vector<std::pair<std::string, std::uint32_t>> names_;
};

std::string Narrow(const std::u16string& s) {
    return std::string(s.begin(), s.end());
}

TEST(EvtxBinXml, FixedTextsSystemTimeAndDataStringsAreFound) {
    TXml x;
    x.U8(0x0F).U8(1).U8(1).U8(0);
    x.Open("Event").CloseStart();
    // An EventID outside System is not the event's.
    x.Open("UserData").CloseStart().Open("EventID").CloseStart().Sub(1, 0x06).End().End();
    x.Open("System").CloseStart();
    x.Open("Provider", true).Attr("Name").Text("EventLog").CloseEmpty();
    x.Open("EventID").CloseStart().Text("6009").End();  // fixed, no qualifiers
    x.Open("TimeCreated", true).Attr("SystemTime").Sub(0, 0x12).CloseEmpty();
    x.End();
    x.Open("EventData").CloseStart();
    x.Open("Data").CloseStart().Sub(2, 0x01).End();
    x.Open("Data").CloseStart().Text("fixed").End();
    x.Open("Data").CloseStart().Sub(3, 0x08).End();
    x.Open("Data").CloseEmpty();
    x.End().End().Eof();
    std::size_t end = x.Chunk.size();

    TEvtxTemplate t;
    ASSERT_TRUE(ParseEvtxTemplate(x.Chunk, x.Begin(), end, t));
    EXPECT_TRUE(t.EventId.HasText);
    EXPECT_FALSE(t.Qualifiers.Present());
    EXPECT_FALSE(t.UserId.Present());
    EXPECT_EQ(t.TimeCreated.Index, 0);
    ASSERT_EQ(t.Strings.size(), 4u);

    // 2024-02-29 23:59:58 as SYSTEMTIME: year, month, weekday, day, hour, minute, second, ms.
    std::vector<std::uint8_t> st;
    for (std::uint16_t v : {2024, 2, 4, 29, 23, 59, 58, 999}) {
        st.push_back(v & 0xFF);
        st.push_back(v >> 8);
    }
    std::vector<std::uint8_t> text = {'6', 0, '.', 0, '1', 0, 0, 0};
    std::size_t at =
        x.Values({{0x12, st}, {0x06, {0x71, 0x17}}, {0x01, text}, {0x08, {7, 1, 0, 0}}});
    TEvtxValues values;
    ASSERT_TRUE(values.Read(x.Chunk, at, x.Chunk.size()));
    std::uint64_t id = 0, ticks = 0;
    EXPECT_TRUE(EvtxFieldNumber(t.EventId, values, id));
    EXPECT_EQ(id, 6009u);
    EXPECT_TRUE(EvtxFieldFileTime(t.TimeCreated, values, ticks));
    EXPECT_EQ(ticks / 10000000 - 11644473600u, 1709251198u);
    EXPECT_EQ(Narrow(EvtxFieldText(t.Provider, values)), "EventLog");
    std::vector<std::string> strings;
    for (const TEvtxField& f : t.Strings) strings.push_back(Narrow(EvtxFieldText(f, values)));
    EXPECT_EQ(strings, (std::vector<std::string>{"6.1", "fixed", "263", ""}));
}

TEST(EvtxBinXml, TokenStreamsThatDoNotHoldTogetherAreRefused) {
    auto start = [] {
        TXml x;
        x.U8(0x0F).U8(1).U8(1).U8(0).Open("Event").CloseStart();
        return x;
    };
    struct TCase {
        const char* Name;
        std::function<void(TXml&)> Finish;
    } cases[] = {
        {"no end of fragment", [](TXml& x) { x.End(); }},
        {"an element left open", [](TXml& x) { x.Eof(); }},
        {"more ends than elements", [](TXml& x) { x.End().End().Eof(); }},
        {"an unknown token", [](TXml& x) { x.U8(0x3F).End().Eof(); }},
        {"a nested template instance", [](TXml& x) { x.U8(0x0C).End().Eof(); }},
        {"a name offset past the chunk",
         [](TXml& x) { x.U8(0x01).U16(0).U32(0).U32(0xFFFFFFF0).Eof(); }},
        {"a value text that is not a string",
         [](TXml& x) { x.U8(0x05).U8(0x08).U16(1).End().Eof(); }},
        {"a value text longer than the template", [](TXml& x) { x.U8(0x05).U8(0x01).U16(900); }},
        {"elements nested without end",
         [](TXml& x) {
             for (int i = 0; i < 100; ++i) x.Open("E").CloseStart();
             for (int i = 0; i < 101; ++i) x.End();
             x.Eof();
         }},
    };
    for (const TCase& c : cases) {
        TXml x = start();
        c.Finish(x);
        TEvtxTemplate t;
        EXPECT_FALSE(ParseEvtxTemplate(x.Chunk, x.Begin(), x.Chunk.size(), t)) << c.Name;
    }
    TXml ok = start();
    ok.End().Eof();
    TEvtxTemplate t;
    EXPECT_TRUE(ParseEvtxTemplate(ok.Chunk, ok.Begin(), ok.Chunk.size(), t));
}

TEST(EvtxBinXml, InstanceValuesMustLieInsideTheRecord) {
    TXml x;
    std::size_t at = x.Values({{0x06, {1, 2}}, {0x01, {'a', 0, 'b', 0}}});
    TEvtxValues values;
    ASSERT_TRUE(values.Read(x.Chunk, at, x.Chunk.size()));
    EXPECT_EQ(values.Count(), 2u);
    EXPECT_EQ(values.Type(1), 0x01);
    EXPECT_EQ(values.Value(1).size(), 4u);
    EXPECT_TRUE(values.Value(2).empty());                        // past the count
    EXPECT_FALSE(values.Read(x.Chunk, at, x.Chunk.size() - 1));  // the last byte cut off
    std::vector<std::uint8_t> many = x.Chunk;
    std::uint32_t count = 100000;
    std::memcpy(&many[at], &count, 4);
    EXPECT_FALSE(values.Read(many, at, many.size()));
    // A number field reads only integer types of their own size, or decimal text.
    TEvtxField field;
    field.Index = 1;
    std::uint64_t n = 0;
    EXPECT_FALSE(EvtxFieldNumber(field, values, n));  // "ab" is no number
}

}  // namespace
