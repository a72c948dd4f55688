#include "eventlog/EventRecord.h"

#include <exception>
#include <utility>

#include "eventlog/Bytes_p.h"
#include "eventlog/PowerEvents.h"
#include "eventlog/SafeText.h"

namespace {

// Field offsets in the Windows EVENTLOGRECORD.
constexpr std::size_t kLengthAt = 0;
constexpr std::size_t kRecordNumberAt = 8;
constexpr std::size_t kTimeGeneratedAt = 12;
constexpr std::size_t kEventIdAt = 20;
constexpr std::size_t kNumStringsAt = 26;
constexpr std::size_t kStringOffsetAt = 36;
constexpr std::size_t kUserSidLengthAt = 40;
constexpr std::size_t kUserSidOffsetAt = 44;

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

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            std::uint32_t low = text[i + 1];
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

std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(Load16(bytes.data() + 2 * i));
    return Utf16ToUtf8(text);
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

bool EventKindOfId(std::uint32_t eventId, TEventKind& kind) {
    switch (eventId & 0xFFFFu) {
        case eiBoot:
            kind = ekBoot;
            return true;
        case eiShutdown:
            kind = ekShutdown;
            return true;
        case eiSystemVersion:
            kind = ekSystemVersion;
            return true;
        case eiUserControl:
            kind = ekUser;
            return true;
        default:
            return false;
    }
}

std::string EventRecordSourceName(std::span<const std::uint8_t> record) {
    TEventRecordHead head;
    if (!ReadEventRecordHead(record, head)) return {};
    std::span<const std::uint8_t> text;
    std::size_t next = 0;
    if (!Utf16TextAt(record, kEventRecordHeadSize, RecordLimit(record, head), text, next))
        return {};
    return Utf16BytesToUtf8(text);
}

namespace {

// A sleep or wake record of the power providers; a wake takes the sleep and wake times its
// first two strings give, when they do.
bool DecodePowerRecord(std::span<const std::uint8_t> record, const TEventRecordHead& head,
                       TLogEvent& event) {
    if (!MayBePowerEvent(head.EventId) ||
        !PowerEventKind(head.EventId, EventRecordSourceName(record), event.Kind))
        return false;
    event.Utc = head.TimeGenerated;
    event.Order = head.RecordNumber;
    if (event.Kind != ekWake || head.NumStrings < 2) return true;
    std::vector<std::string> strings = EventRecordStrings(record, head);
    std::int64_t slept = 0, woke = 0;
    if (strings.size() >= 2 && ParseEventTimeText(strings[0], slept) &&
        ParseEventTimeText(strings[1], woke))
        ApplyWakeTimes(slept, woke, event);
    return true;
}

}  // namespace

bool DecodeEventRecord(std::span<const std::uint8_t> record, const TEventRecordHead& head,
                       const TAccountLookup& lookup, TLogEvent& event) {
    event = {};
    if (!EventKindOfId(head.EventId, event.Kind)) return DecodePowerRecord(record, head, event);
    if (event.Kind == ekBoot && head.NumStrings > 0) {
        std::vector<std::string> strings = EventRecordStrings(record, head);
        if (!strings.empty()) event.Detail = SafeLogText(strings.front());
    } else if (event.Kind == ekSystemVersion) {
        event.Detail = SafeLogText(SystemVersionText(EventRecordStrings(record, head)));
    } else if (event.Kind == ekUser) {
        std::span<const std::uint8_t> sid = EventRecordSid(record, head);
        // An account that cannot be named is nobody the history can show.
        try {
            if (!sid.empty() && lookup && !lookup(sid, event.User)) event.User.clear();
            event.User = SafeLogText(event.User);
        } catch (const std::exception&) {
            event.User.clear();
        }
    }
    event.Utc = head.TimeGenerated;
    event.Order = head.RecordNumber;
    return true;
}

std::string SystemVersionText(const std::vector<std::string>& strings) {
    std::string text;
    for (const std::string& s : strings) {
        if (s.empty()) continue;
        if (!text.empty()) text += ' ';
        text += s;
    }
    return text;
}
