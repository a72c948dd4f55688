#include "common/WindowsLogTestFile.h"

#include <cstring>
#include <deque>
#include <map>
#include <stdexcept>

#include "eventlog/EventRecord.h"
#include "eventlog/EvtxChunk.h"

namespace {

constexpr std::uint16_t kServiceQualifiers = 0x4000;
constexpr std::size_t kEvtHeader = 0x30;
constexpr std::size_t kEofSize = 0x28;

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    std::memcpy(&b[at], &v, 2);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    std::memcpy(&b[at], &v, 4);
}
void Put64(std::vector<std::uint8_t>& b, std::size_t at, std::uint64_t v) {
    std::memcpy(&b[at], &v, 8);
}

std::u16string Widen(const std::string& s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::uint32_t cp = c;
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        if (n == 2) cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
        if (n == 3) cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
        out += static_cast<char16_t>(cp);
        i += n;
    }
    return out;
}

std::uint64_t FileTime(std::int64_t unix) {
    return static_cast<std::uint64_t>(unix + 11644473600LL) * 10000000u;
}

// ---- .evt ----

class TEvtRing {
  public:
    explicit TEvtRing(std::vector<std::uint8_t>& file) : file_(file) {}
    std::size_t Advance(std::size_t pos, std::size_t n) const {
        return kEvtHeader + (pos - kEvtHeader + n) % (file_.size() - kEvtHeader);
    }
    void Write(std::size_t pos, const std::vector<std::uint8_t>& bytes) {
        for (std::uint8_t b : bytes) {
            file_[pos] = b;
            pos = Advance(pos, 1);
        }
    }

  private:
    std::vector<std::uint8_t>& file_;
};

// ---- .evtx ----

enum TTemplateKind { tkFull, tkClassic };

enum : std::uint8_t {
    vtNull = 0x00,
    vtString = 0x01,
    vtUInt8 = 0x04,
    vtUInt16 = 0x06,
    vtUInt64 = 0x0A,
    vtGuid = 0x0F,
    vtFileTime = 0x11,
    vtSid = 0x13,
};

struct TValue {
    std::uint8_t Type = vtNull;
    std::vector<std::uint8_t> Bytes;
};

TValue StringValue(const std::string& s) {
    TValue v{vtString, {}};
    for (char16_t c : Widen(s)) {
        v.Bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        v.Bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return v;
}

template <typename T>
TValue NumberValue(std::uint8_t type, T n) {
    TValue v{type, std::vector<std::uint8_t>(sizeof n)};
    std::memcpy(v.Bytes.data(), &n, sizeof n);
    return v;
}

// Writes chunk bytes at a cursor, remembering the names and templates already written in the
// chunk so that later uses refer to them by offset.
class TChunkWriter {
  public:
    std::vector<std::uint8_t> Bytes = std::vector<std::uint8_t>(2 * kEvtxChunkSize, 0);
    std::size_t Pos = 512;
    std::map<std::string, std::uint32_t> Names;
    std::map<int, std::uint32_t> Templates;

    void U8(std::uint8_t v) { Bytes[Pos++] = v; }
    void U16(std::uint16_t v) {
        Put16(Bytes, Pos, v);
        Pos += 2;
    }
    void U32(std::uint32_t v) {
        Put32(Bytes, Pos, v);
        Pos += 4;
    }
    void U64(std::uint64_t v) {
        Put64(Bytes, Pos, v);
        Pos += 8;
    }
    void Text(const std::u16string& s) {
        for (char16_t c : s) U16(c);
    }

    // A name offset, with the name inline the first time it appears in the chunk.
    void Name(const std::string& name) {
        auto it = Names.find(name);
        if (it != Names.end()) {
            U32(it->second);
            return;
        }
        std::uint32_t at = static_cast<std::uint32_t>(Pos + 4);
        Names[name] = at;
        U32(at);
        U32(0);  // next name
        U16(0);  // hash, not checked by readers of this format
        U16(static_cast<std::uint16_t>(name.size()));
        Text(Widen(name));
        U16(0);
    }

    void Open(const std::string& name, bool attributes) {
        U8(attributes ? 0x41 : 0x01);
        U16(0xFFFF);
        U32(0);  // data size, not used by readers of this format
        Name(name);
        if (attributes) U32(0);
    }
    void Attribute(const std::string& name, bool more) {
        U8(more ? 0x46 : 0x06);
        Name(name);
    }
    void Substitution(std::uint16_t index, std::uint8_t type, bool optional = true) {
        U8(optional ? 0x0E : 0x0D);
        U16(index);
        U8(type);
    }
    void ValueText(const std::string& text) {
        U8(0x05);
        U8(vtString);
        std::u16string w = Widen(text);
        U16(static_cast<std::uint16_t>(w.size()));
        Text(w);
    }
    void Element(const std::string& name, std::uint16_t index, std::uint8_t type) {
        Open(name, false);
        U8(0x02);
        Substitution(index, type);
        U8(0x04);
    }

    void TemplateBody(int kind) {
        U8(0x0F), U8(1), U8(1), U8(0);
        if (kind == tkFull) {
            Open("Event", true);
            Attribute("xmlns", false);
            ValueText("http://schemas.microsoft.com/win/2004/08/events/event");
        } else {
            Open("Event", false);
        }
        U8(0x02);
        Open("System", false);
        U8(0x02);
        Open("Provider", true);
        if (kind == tkFull) {
            Attribute("Name", true);
            Substitution(0, vtString);
            Attribute("Guid", false);
            Substitution(1, vtGuid);
        } else {
            Attribute("Name", false);
            ValueText("EventLog");
        }
        U8(0x03);
        if (kind == tkFull) {
            Open("EventID", true);
            Attribute("Qualifiers", false);
            Substitution(2, vtUInt16);
            U8(0x02);
            Substitution(3, vtUInt16, false);
            U8(0x04);
            Element("Level", 4, vtUInt8);
        } else {
            Element("EventID", 0, vtUInt16);
        }
        Open("TimeCreated", true);
        Attribute("SystemTime", false);
        Substitution(kind == tkFull ? 5 : 1, vtFileTime);
        U8(0x03);
        if (kind == tkFull) {
            Element("EventRecordID", 6, vtUInt64);
            Open("Security", true);
            Attribute("UserID", false);
            Substitution(7, vtSid);
            U8(0x03);
        }
        Open("Computer", false);
        U8(0x02);
        ValueText("WIN-VIGIL");
        U8(0x04);
        U8(0x04);  // System
        Open("EventData", false);
        U8(0x02);
        int first = kind == tkFull ? 8 : 2, count = kind == tkFull ? 2 : 5;
        for (int i = 0; i < count; ++i)
            Element("Data", static_cast<std::uint16_t>(first + i), vtString);
        U8(0x04);  // EventData
        U8(0x04);  // Event
        U8(0x00);
    }

    void Record(const TWinEvent& e, std::uint64_t id) {
        const std::size_t start = Pos;
        U32(0x00002A2A);
        U32(0);  // size, below
        U64(id);
        U64(FileTime(e.Time));
        U8(0x0F), U8(1), U8(1), U8(0);
        int kind =
            e.Provider == "EventLog" && e.Sid.empty() && e.Qualifiers == 0 ? tkClassic : tkFull;
        U8(0x0C);
        U8(0x01);
        U32(static_cast<std::uint32_t>(kind + 1));  // template id
        auto it = Templates.find(kind);
        if (it != Templates.end()) {
            U32(it->second);
        } else {
            std::uint32_t at = static_cast<std::uint32_t>(Pos + 4);
            Templates[kind] = at;
            U32(at);
            U32(0);  // next template
            for (int i = 0; i < 16; ++i) U8(static_cast<std::uint8_t>(0xA0 + kind + i));
            std::size_t sizeAt = Pos;
            U32(0);
            TemplateBody(kind);
            Put32(Bytes, sizeAt, static_cast<std::uint32_t>(Pos - sizeAt - 4));
        }
        std::vector<TValue> values;
        auto text = [&](std::size_t i) {
            return i < e.Strings.size() ? StringValue(e.Strings[i]) : TValue{};
        };
        if (kind == tkFull) {
            values.push_back(StringValue(e.Provider));
            values.push_back(TValue{vtGuid, std::vector<std::uint8_t>(16, 0x5A)});
            values.push_back(e.Qualifiers ? NumberValue(vtUInt16, e.Qualifiers) : TValue{});
            values.push_back(NumberValue(vtUInt16, e.Id));
            values.push_back(NumberValue<std::uint8_t>(vtUInt8, 4));
            values.push_back(NumberValue(vtFileTime, FileTime(e.Time)));
            values.push_back(NumberValue(vtUInt64, id));
            values.push_back(e.Sid.empty() ? TValue{} : TValue{vtSid, SidBytes(e.Sid)});
            for (std::size_t i = 0; i < 2; ++i) values.push_back(text(i));
        } else {
            values.push_back(NumberValue(vtUInt16, e.Id));
            values.push_back(NumberValue(vtFileTime, FileTime(e.Time)));
            for (std::size_t i = 0; i < 5; ++i) values.push_back(text(i));
        }
        U32(static_cast<std::uint32_t>(values.size()));
        for (const TValue& v : values) {
            U16(static_cast<std::uint16_t>(v.Bytes.size()));
            U8(v.Type);
            U8(0);
        }
        for (const TValue& v : values)
            for (std::uint8_t b : v.Bytes) U8(b);
        U8(0x00);  // end of fragment
        const std::size_t size = Pos + 4 - start;
        U32(static_cast<std::uint32_t>(size));
        Put32(Bytes, start + 4, static_cast<std::uint32_t>(size));
    }
};

}  // namespace

std::vector<std::uint8_t> EvtRecord(const TWinEvent& e, std::uint32_t number) {
    std::vector<std::uint8_t> bytes;
    std::u16string source = Widen(e.Provider);
    std::vector<std::uint8_t> sid = e.Sid.empty() ? std::vector<std::uint8_t>() : SidBytes(e.Sid);
    std::vector<std::u16string> strings;
    for (const std::string& s : e.Strings) strings.push_back(Widen(s));
    TEventRecordParts parts;
    parts.RecordNumber = number;
    parts.TimeGenerated = static_cast<std::uint32_t>(e.Time);
    parts.EventId = (std::uint32_t{e.Qualifiers} << 16) | e.Id;
    parts.SourceName = source;
    parts.Sid = sid;
    parts.Strings = strings;
    AppendEventRecord(bytes, parts);
    return bytes;
}

TWinEvent BootEvent(std::int64_t time) {
    TWinEvent e;
    e.Id = 6005;
    e.Time = time;
    return e;
}

TWinEvent ShutdownEvent(std::int64_t time) {
    TWinEvent e;
    e.Id = 6006;
    e.Time = time;
    return e;
}

TWinEvent VersionEvent(std::int64_t time, std::vector<std::string> strings) {
    TWinEvent e;
    e.Id = 6009;
    e.Time = time;
    e.Qualifiers = 0;
    e.Strings = std::move(strings);
    return e;
}

TWinEvent ServiceEvent(const std::string& sid, std::int64_t time) {
    TWinEvent e;
    e.Id = 7035;
    e.Qualifiers = kServiceQualifiers;
    e.Time = time;
    e.Provider = "Service Control Manager";
    e.Sid = sid;
    e.Strings = {"Windows Update", "start"};
    return e;
}

TWinEvent SleepEvent(std::int64_t time) {
    TWinEvent e;
    e.Id = 42;
    e.Time = time;
    e.Provider = "Microsoft-Windows-Kernel-Power";
    e.Strings = {"4", "0"};
    return e;
}

TWinEvent WakeEvent(std::int64_t time, const std::string& sleepText, const std::string& wakeText) {
    TWinEvent e;
    e.Id = 1;
    e.Time = time;
    e.Provider = "Microsoft-Windows-Power-Troubleshooter";
    if (!sleepText.empty()) e.Strings = {sleepText, wakeText};
    return e;
}

TWinEvent OtherEvent(std::uint16_t id, std::int64_t time) {
    TWinEvent e;
    e.Id = id;
    e.Time = time;
    e.Provider = "Tcpip";
    e.Strings = {"x"};
    return e;
}

std::vector<std::uint8_t> SidBytes(const std::string& text) {
    std::vector<std::uint64_t> parts;
    std::size_t at = 2;  // after "S-"
    while (at <= text.size()) {
        std::size_t dash = text.find('-', at);
        if (dash == std::string::npos) dash = text.size();
        parts.push_back(std::stoull(text.substr(at, dash - at)));
        at = dash + 1;
    }
    if (parts.size() < 2) throw std::invalid_argument("bad SID " + text);
    std::vector<std::uint8_t> b;
    b.push_back(static_cast<std::uint8_t>(parts[0]));
    b.push_back(static_cast<std::uint8_t>(parts.size() - 2));
    for (int shift = 40; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(parts[1] >> shift));
    for (std::size_t i = 2; i < parts.size(); ++i)
        for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::uint8_t>(parts[i] >> (8 * k)));
    return b;
}

std::vector<std::uint8_t> EvtBytes(const std::vector<TWinEvent>& events, TEvtLayout layout,
                                   TEvtPlaces* places) {
    std::vector<std::vector<std::uint8_t>> records;
    std::vector<std::uint32_t> numbers;
    std::uint32_t number = 0;
    for (const TWinEvent& e : events) {
        number = e.RecordId ? static_cast<std::uint32_t>(e.RecordId) : number + 1;
        numbers.push_back(number);
        records.push_back(EvtRecord(e, number));
    }
    std::size_t size = layout.FileSize;
    if (size == 0) {
        size = kEvtHeader + kEofSize;
        for (const auto& r : records) size += r.size();
    }
    std::vector<std::uint8_t> file(size, 0);
    const std::size_t area = size - kEvtHeader;
    TEvtRing ring(file);
    struct TLive {
        std::size_t At, Length;
        std::uint32_t Number;
    };
    std::deque<TLive> live;
    std::size_t used = 0, cur = kEvtHeader;
    bool wrapped = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].size() + kEofSize > area) throw std::invalid_argument("record too large");
        while (used + records[i].size() + kEofSize > area) {
            used -= live.front().Length;
            live.pop_front();
        }
        if (cur + records[i].size() > size) wrapped = true;
        ring.Write(cur, records[i]);
        live.push_back({cur, records[i].size(), numbers[i]});
        used += records[i].size();
        cur = ring.Advance(cur, records[i].size());
    }
    const std::uint32_t next = number + 1;
    const std::uint32_t start = static_cast<std::uint32_t>(live.empty() ? cur : live.front().At);
    const std::uint32_t oldest = live.empty() ? next : live.front().Number;
    std::vector<std::uint8_t> eof(kEofSize);
    const std::uint32_t eofWords[10] = {0x28,
                                        0x11111111,
                                        0x22222222,
                                        0x33333333,
                                        0x44444444,
                                        start,
                                        static_cast<std::uint32_t>(cur),
                                        next,
                                        oldest,
                                        0x28};
    std::memcpy(eof.data(), eofWords, sizeof eofWords);
    ring.Write(cur, eof);

    const std::uint32_t header[12] = {0x30,
                                      0x654C664C,
                                      1,
                                      1,
                                      start,
                                      static_cast<std::uint32_t>(cur),
                                      next,
                                      oldest,
                                      static_cast<std::uint32_t>(size),
                                      (layout.Dirty ? 1u : 0u) | (wrapped ? 2u : 0u),
                                      0,
                                      0x30};
    std::memcpy(file.data(), header, sizeof header);
    if (places) {
        places->RecordAt.clear();
        for (const TLive& l : live) places->RecordAt.push_back(l.At);
        places->EofAt = cur;
    }
    return file;
}

std::vector<std::uint8_t> EvtxBytes(const std::vector<TWinEvent>& events, TEvtxLayout layout,
                                    TEvtxPlaces* places) {
    std::vector<std::uint8_t> file(kEvtxHeaderBlockSize, 0);
    std::uint64_t id = 0, nextId = 1;
    std::size_t index = 0, chunks = 0;
    if (places) places->RecordAt.clear();
    while (index < events.size() || chunks == 0) {
        TChunkWriter w;
        std::uint64_t firstId = 0, lastId = 0;
        std::size_t lastAt = 0, count = 0;
        while (index < events.size() &&
               (layout.RecordsPerChunk == 0 || count < layout.RecordsPerChunk)) {
            const TWinEvent& e = events[index];
            id = e.RecordId ? e.RecordId : nextId;
            TChunkWriter saved = w;
            std::size_t at = w.Pos;
            w.Record(e, id);
            if (w.Pos > kEvtxChunkSize) {
                w = std::move(saved);
                if (count == 0) throw std::invalid_argument("record too large");
                break;
            }
            if (places) places->RecordAt.push_back(file.size() + at);
            if (count == 0) firstId = id;
            lastId = id;
            lastAt = at;
            nextId = id + 1;
            ++count;
            ++index;
        }
        std::vector<std::uint8_t>& c = w.Bytes;
        c.resize(kEvtxChunkSize);
        std::memcpy(c.data(), "ElfChnk", 8);
        Put64(c, 8, firstId);
        Put64(c, 16, lastId);
        Put64(c, 24, firstId);
        Put64(c, 32, lastId);
        Put32(c, 40, 128);
        Put32(c, 44, static_cast<std::uint32_t>(lastAt));
        Put32(c, 48, static_cast<std::uint32_t>(w.Pos));
        file.insert(file.end(), c.begin(), c.end());
        ++chunks;
    }
    std::memcpy(file.data(), "ElfFile", 8);
    Put64(file, 8, 0);
    Put64(file, 16, chunks - 1);
    Put64(file, 24, nextId);
    Put32(file, 32, 128);
    Put16(file, 36, 1);
    Put16(file, 38, 3);
    Put16(file, 40, 4096);
    Put16(file, 42, static_cast<std::uint16_t>(chunks));
    FixEvtxChecksums(file);
    return file;
}

void FixEvtxChecksums(std::vector<std::uint8_t>& file) {
    if (file.size() < kEvtxHeaderUsed) return;
    Put32(file, 124, EvtxHeaderChecksum(std::span(file).first(kEvtxHeaderUsed)));
    for (std::size_t at = kEvtxHeaderBlockSize; at + kEvtxChunkSize <= file.size();
         at += kEvtxChunkSize) {
        std::span<std::uint8_t> chunk(file.data() + at, kEvtxChunkSize);
        if (std::memcmp(chunk.data(), "ElfChnk", 8) != 0) continue;
        std::uint32_t data = EvtxChunkDataChecksum(chunk);
        std::memcpy(chunk.data() + 52, &data, 4);
        std::uint32_t head = EvtxChunkHeaderChecksum(chunk);
        std::memcpy(chunk.data() + 124, &head, 4);
    }
}

// ---- event records ----

namespace {

// Field offsets in the Windows EVENTLOGRECORD.
constexpr std::size_t kLengthAt = 0;
constexpr std::size_t kSignatureAt = 4;
constexpr std::size_t kRecordNumberAt = 8;
constexpr std::size_t kTimeGeneratedAt = 12;
constexpr std::size_t kTimeWrittenAt = 16;
constexpr std::size_t kEventIdAt = 20;
constexpr std::size_t kEventTypeAt = 24;
constexpr std::size_t kNumStringsAt = 26;
constexpr std::size_t kStringOffsetAt = 36;
constexpr std::size_t kUserSidLengthAt = 40;
constexpr std::size_t kUserSidOffsetAt = 44;
constexpr std::size_t kDataOffsetAt = 52;
constexpr std::uint32_t kRecordSignature = 0x654C664C;  // "LfLe"
constexpr std::uint16_t kInformationType = 4;

void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, sizeof v);
}

void Store16(std::uint8_t* p, std::uint16_t v) {
    std::memcpy(p, &v, sizeof v);
}

void AppendUtf16(std::vector<std::uint8_t>& out, std::u16string_view text) {
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

std::size_t EventRecordSize(std::size_t sidLength) {
    return kEventRecordHeadSize + sidLength;
}

void WriteEventRecord(std::span<std::uint8_t> out, std::uint32_t timeGenerated,
                      std::uint32_t eventId, std::span<const std::uint8_t> sid) {
    std::memset(out.data(), 0, kEventRecordHeadSize);
    std::uint8_t* p = out.data();
    Store32(p + kLengthAt, static_cast<std::uint32_t>(EventRecordSize(sid.size())));
    Store32(p + kTimeGeneratedAt, timeGenerated);
    Store32(p + kEventIdAt, eventId);
    Store32(p + kUserSidLengthAt, static_cast<std::uint32_t>(sid.size()));
    Store32(p + kUserSidOffsetAt,
            sid.empty() ? 0u : static_cast<std::uint32_t>(kEventRecordHeadSize));
    if (!sid.empty()) std::memcpy(p + kEventRecordHeadSize, sid.data(), sid.size());
}

std::size_t AppendEventRecord(std::vector<std::uint8_t>& out, const TEventRecordParts& parts) {
    const std::size_t start = out.size();
    out.resize(start + kEventRecordHeadSize, 0);
    AppendUtf16(out, parts.SourceName);
    AppendUtf16(out, u"");
    while ((out.size() - start) % 4 != 0) out.push_back(0);
    const std::size_t sidAt = out.size() - start;
    out.insert(out.end(), parts.Sid.begin(), parts.Sid.end());
    const std::size_t stringsAt = out.size() - start;
    for (const std::u16string& s : parts.Strings) AppendUtf16(out, s);
    const std::size_t dataAt = out.size() - start;
    while ((out.size() - start) % 4 != 0) out.push_back(0);
    const std::size_t length = out.size() - start + 4;
    out.resize(start + length, 0);

    std::uint8_t* p = out.data() + start;
    Store32(p + kLengthAt, static_cast<std::uint32_t>(length));
    Store32(p + kSignatureAt, kRecordSignature);
    Store32(p + kRecordNumberAt, parts.RecordNumber);
    Store32(p + kTimeGeneratedAt, parts.TimeGenerated);
    Store32(p + kTimeWrittenAt, parts.TimeGenerated);
    Store32(p + kEventIdAt, parts.EventId);
    Store16(p + kEventTypeAt, kInformationType);
    Store16(p + kNumStringsAt, static_cast<std::uint16_t>(parts.Strings.size()));
    Store32(p + kStringOffsetAt, static_cast<std::uint32_t>(stringsAt));
    Store32(p + kUserSidLengthAt, static_cast<std::uint32_t>(parts.Sid.size()));
    Store32(p + kUserSidOffsetAt, parts.Sid.empty() ? 0u : static_cast<std::uint32_t>(sidAt));
    Store32(p + kDataOffsetAt, static_cast<std::uint32_t>(dataAt));
    Store32(p + length - 4, static_cast<std::uint32_t>(length));
    return length;
}
