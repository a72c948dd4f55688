#include "eventlog/EventRecord.h"

#include <cstring>

#include "eventlog/Bytes_p.h"

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
constexpr std::uint32_t kSignature = 0x654C664C;  // "LfLe"
constexpr std::uint16_t kInformationType = 4;

void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, sizeof v);
}

void Store16(std::uint8_t* p, std::uint16_t v) {
    std::memcpy(p, &v, sizeof v);
}

// The bytes of the NUL-terminated UTF-16 text at offset (without the NUL), and where the
// next one starts; false when no NUL ends it before limit.
bool Utf16TextAt(std::span<const std::uint8_t> record, std::size_t offset, std::size_t limit,
                 std::span<const std::uint8_t>& text, std::size_t& next) {
    for (std::size_t at = offset; at + 2 <= limit; at += 2) {
        if (record[at] == 0 && record[at + 1] == 0) {
            text = record.subspan(offset, at - offset);
            next = at + 2;
            return true;
        }
    }
    return false;
}

std::size_t RecordLimit(std::span<const std::uint8_t> record, const TEventRecordHead& head) {
    return head.Length < record.size() ? head.Length : record.size();
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
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

std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    std::size_t n = bytes.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t c = Load16(bytes.data() + 2 * i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            std::uint32_t low = Load16(bytes.data() + 2 * i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    return out;
}

bool ReadEventRecordHead(std::span<const std::uint8_t> record, TEventRecordHead& head) {
    if (record.size() < kEventRecordHeadSize) return false;
    const std::uint8_t* p = record.data();
    head.Length = Load32(p + kLengthAt);
    head.RecordNumber = Load32(p + kRecordNumberAt);
    head.TimeGenerated = Load32(p + kTimeGeneratedAt);
    head.EventId = Load32(p + kEventIdAt);
    head.NumStrings = Load16(p + kNumStringsAt);
    head.StringOffset = Load32(p + kStringOffsetAt);
    head.UserSidLength = Load32(p + kUserSidLengthAt);
    head.UserSidOffset = Load32(p + kUserSidOffsetAt);
    return true;
}

std::span<const std::uint8_t> EventRecordSid(std::span<const std::uint8_t> record,
                                             const TEventRecordHead& head) {
    std::uint64_t limit = RecordLimit(record, head);
    std::uint64_t end = std::uint64_t{head.UserSidOffset} + head.UserSidLength;
    if (head.UserSidLength == 0 || head.UserSidOffset < kEventRecordHeadSize || end > limit)
        return {};
    return record.subspan(head.UserSidOffset, head.UserSidLength);
}

std::string EventRecordSourceName(std::span<const std::uint8_t> record,
                                  const TEventRecordHead& head) {
    std::span<const std::uint8_t> text;
    std::size_t next = 0;
    if (!Utf16TextAt(record, kEventRecordHeadSize, RecordLimit(record, head), text, next))
        return {};
    return Utf16BytesToUtf8(text);
}

std::vector<std::string> EventRecordStrings(std::span<const std::uint8_t> record,
                                            const TEventRecordHead& head) {
    std::vector<std::string> strings;
    std::size_t limit = RecordLimit(record, head);
    std::size_t at = head.StringOffset;
    if (at < kEventRecordHeadSize) return strings;
    for (std::uint32_t i = 0; i < head.NumStrings; ++i) {
        std::span<const std::uint8_t> text;
        if (!Utf16TextAt(record, at, limit, text, at)) break;
        strings.push_back(Utf16BytesToUtf8(text));
    }
    return strings;
}

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
    Store32(p + kSignatureAt, kSignature);
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
