#include "eventlog/EvtxChunk.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "eventlog/Bytes_p.h"
#include "eventlog/Crc32.h"
#include "eventlog/EventRecord.h"
#include "eventlog/EvtxBinXml.h"
#include "eventlog/PowerEvents.h"
#include "eventlog/SafeText.h"
#include "eventlog/Sid.h"

namespace {

// The chunk header.
constexpr char kChunkSignature[8] = {'E', 'l', 'f', 'C', 'h', 'n', 'k', '\0'};
constexpr std::size_t kLastRecordIdAt = 32;
constexpr std::size_t kFreeSpaceAt = 48;
constexpr std::size_t kDataChecksumAt = 52;
constexpr std::size_t kChecksummedHeadEnd = 120;
constexpr std::size_t kHeaderChecksumAt = 124;
constexpr std::size_t kRecordsAt = 512;

// A record: signature, size, record id, written time, binary XML, size again.
constexpr std::uint32_t kRecordSignature = 0x00002A2A;
constexpr std::size_t kRecordIdAt = 8;
constexpr std::size_t kWrittenAt = 16;
constexpr std::size_t kRecordXmlAt = 24;
constexpr std::size_t kMinRecordSize = 28;

// Binary XML tokens at the start of an event.
constexpr std::uint8_t kFragmentHeader = 0x0F;
constexpr std::uint8_t kTemplateInstance = 0x0C;
constexpr std::size_t kFragmentHeaderSize = 4;
constexpr std::size_t kInstanceHeadSize = 10;        // token, 1 unknown, template id, offset
constexpr std::size_t kTemplateDefinitionHead = 24;  // next offset, GUID, data size

constexpr std::size_t kMaxStrings = 256;
constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600;

bool AllZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace

std::uint64_t EvtxRecordsInDamagedChunk(std::span<const std::uint8_t> chunk) {
    std::uint64_t n = 0;
    std::size_t pos = kRecordsAt;
    while (pos + kMinRecordSize <= chunk.size() && Load32(&chunk[pos]) == kRecordSignature) {
        std::uint32_t size = Load32(&chunk[pos + 4]);
        if (size < kMinRecordSize || size > chunk.size() - pos) break;
        ++n;
        pos += size;
    }
    return std::max<std::uint64_t>(n, 1);
}

namespace {

// Turns the records of one checked chunk into event records. Templates are walked once per
// chunk (their offsets are the chunk's own) and remembered by offset.
class TChunkReader {
  public:
    TChunkReader(std::span<const std::uint8_t> chunk, TLogEventPool& pool)
        : chunk_(chunk), pool_(pool) {}

    // False when the record's binary XML does not hold together; a record the scan does
    // not use is passed over after its event id.
    bool Decode(std::size_t offset, std::size_t size) {
        std::size_t pos = offset + kRecordXmlAt;
        const std::size_t end = offset + size - 4;
        if (end - pos >= kFragmentHeaderSize && chunk_[pos] == kFragmentHeader)
            pos += kFragmentHeaderSize;
        if (end - pos < kInstanceHeadSize || chunk_[pos] != kTemplateInstance) return false;
        const std::uint32_t definition = Load32(&chunk_[pos + 6]);
        pos += kInstanceHeadSize;
        std::size_t dataAt = pos;
        if (definition == pos) {
            // The definition follows inline; the instance data comes after it.
            if (end - pos < kTemplateDefinitionHead) return false;
            std::size_t bytes = Load32(&chunk_[pos + 20]);
            if (bytes > end - pos - kTemplateDefinitionHead) return false;
            dataAt = pos + kTemplateDefinitionHead + bytes;
        }
        const TEvtxTemplate* t = Template(definition);
        if (t == nullptr || !values_.Read(chunk_, dataAt, end)) return false;

        std::uint64_t id = 0, qualifiers = 0;
        if (!EvtxFieldNumber(t->EventId, values_, id)) return false;
        if (t->Qualifiers.Present() && !EvtxFieldNumber(t->Qualifiers, values_, qualifiers))
            qualifiers = 0;  // an optional substitution left empty
        const std::uint32_t eventId =
            static_cast<std::uint32_t>(((qualifiers & 0xFFFF) << 16) | (id & 0xFFFF));
        if (!IsKeptEventId(eventId)) return true;
        TLogEvent event;
        if (MayBePowerEvent(eventId) &&
            !PowerEventKind(eventId, Utf16ToUtf8(EvtxFieldText(t->Provider, values_)), event.Kind))
            return true;

        std::uint64_t ticks = 0;
        if (!EvtxFieldFileTime(t->TimeCreated, values_, ticks))
            ticks = Load64(&chunk_[offset + kWrittenAt]);
        const std::uint64_t seconds = ticks / kTicksPerSecond;
        if (seconds < kSecondsFrom1601To1970 || seconds - kSecondsFrom1601To1970 > 0xFFFFFFFFu)
            return false;

        if (EventKindOfId(eventId, event.Kind)) {
            if (event.Kind == ekSystemVersion) {
                event.Detail = SafeLogText(VersionText(*t, size));
            } else if (event.Kind == ekUser) {
                std::span<const std::uint8_t> sid = EvtxFieldSid(t->UserId, values_);
                if (!sid.empty() && !SidAccountName(sid, event.User)) event.User.clear();
                event.User = SafeLogText(event.User);
            }
        }
        event.Utc = static_cast<std::int64_t>(seconds - kSecondsFrom1601To1970);
        event.Order = Load64(&chunk_[offset + kRecordIdAt]);
        if (event.Kind == ekWake) ReadWakeTimes(*t, event);
        pool_.Add(std::move(event));
        return true;
    }

  private:
    // Power-Troubleshooter writes SleepTime and WakeTime as its first two data values.
    void ReadWakeTimes(const TEvtxTemplate& t, TLogEvent& event) {
        if (t.Strings.size() < 2) return;
        std::int64_t times[2];
        for (int i = 0; i < 2; ++i) {
            std::uint64_t ticks = 0;
            if (EvtxFieldFileTime(t.Strings[i], values_, ticks)) {
                std::uint64_t s = ticks / kTicksPerSecond;
                if (s < kSecondsFrom1601To1970) return;
                times[i] = static_cast<std::int64_t>(s - kSecondsFrom1601To1970);
            } else if (!ParseEventTimeText(Utf16ToUtf8(EvtxFieldText(t.Strings[i], values_)),
                                           times[i])) {
                return;
            }
        }
        ApplyWakeTimes(times[0], times[1], event);
    }

    // The version text of a 6009 record of the given size: its strings joined.
    std::string VersionText(const TEvtxTemplate& t, std::size_t size) {
        // A template may name one value many times: the strings may not outgrow the record.
        std::vector<std::string> strings;
        std::size_t chars = 0;
        for (const TEvtxField& field : t.Strings) {
            if (strings.size() == kMaxStrings) break;
            std::u16string text = EvtxFieldText(field, values_);
            chars += text.size() + 1;
            if (chars > size) break;
            strings.push_back(Utf16ToUtf8(text));
        }
        return SystemVersionText(strings);
    }

    struct TCached {
        std::uint32_t Offset;
        bool Valid;
        TEvtxTemplate Template;
    };

    const TEvtxTemplate* Template(std::uint32_t definition) {
        if (last_ != nullptr && last_->Offset == definition) return Result(*last_);
        for (TCached& cached : templates_)
            if (cached.Offset == definition) {
                last_ = &cached;
                return Result(cached);
            }
        TCached cached{definition, false, {}};
        if (definition >= kRecordsAt && definition <= chunk_.size() &&
            chunk_.size() - definition >= kTemplateDefinitionHead) {
            std::size_t begin = definition + kTemplateDefinitionHead;
            std::size_t bytes = Load32(&chunk_[definition + 20]);
            // Records that each name a different place would otherwise have most of the chunk
            // walked once per record.
            if (bytes <= chunk_.size() - begin && bytes <= budget_) {
                budget_ -= bytes;
                cached.Valid = ParseEvtxTemplate(chunk_, begin, begin + bytes, cached.Template);
            }
        }
        templates_.push_back(std::move(cached));
        last_ = nullptr;  // the vector may have moved
        return Result(templates_.back());
    }

    static const TEvtxTemplate* Result(const TCached& cached) {
        return cached.Valid ? &cached.Template : nullptr;
    }

    std::span<const std::uint8_t> chunk_;
    TLogEventPool& pool_;
    std::vector<TCached> templates_;
    TCached* last_ = nullptr;
    std::size_t budget_ = 16 * kEvtxChunkSize;  // template bytes walked in this chunk
    TEvtxValues values_;
};

}  // namespace

bool TEvtxRecordIds::Contains(std::uint64_t id) const {
    auto after = ranges_.upper_bound(id);
    return after != ranges_.begin() && id <= std::prev(after)->second;
}

void TEvtxRecordIds::Add(std::uint64_t id) {
    if (Contains(id)) return;
    auto next = ranges_.upper_bound(id);
    const bool joinsNext = next != ranges_.end() && id + 1 == next->first;
    if (next != ranges_.begin()) {
        auto prev = std::prev(next);
        if (prev->second + 1 == id) {
            prev->second = joinsNext ? next->second : id;
            if (joinsNext) ranges_.erase(next);
            return;
        }
    }
    const std::uint64_t last = joinsNext ? next->second : id;
    if (joinsNext) ranges_.erase(next);
    ranges_.emplace(id, last);
}

std::uint32_t EvtxHeaderChecksum(std::span<const std::uint8_t> header) {
    return Crc32(header.first(kChecksummedHeadEnd));
}

std::uint32_t EvtxChunkHeaderChecksum(std::span<const std::uint8_t> chunk) {
    std::uint32_t crc = Crc32(chunk.first(kChecksummedHeadEnd));
    return Crc32(chunk.subspan(kEvtxHeaderUsed, kRecordsAt - kEvtxHeaderUsed), crc);
}

std::uint32_t EvtxChunkDataChecksum(std::span<const std::uint8_t> chunk) {
    std::uint32_t free = Load32(&chunk[kFreeSpaceAt]);
    if (free < kRecordsAt || free > chunk.size()) return 0;
    return Crc32(chunk.subspan(kRecordsAt, free - kRecordsAt));
}

void ReadEvtxChunk(std::span<const std::uint8_t> chunk, TEvtxRecordIds& seen, TLogEventPool& pool,
                   TLoadDamage& damage) {
    if (chunk.size() != kEvtxChunkSize) return;
    if (std::memcmp(chunk.data(), kChunkSignature, sizeof kChunkSignature) != 0) {
        if (!AllZero(chunk))
            damage.Skip(EvtxRecordsInDamagedChunk(chunk), "a chunk without its signature");
        return;  // an unused chunk is all zeros
    }
    if (Load32(&chunk[kHeaderChecksumAt]) != EvtxChunkHeaderChecksum(chunk)) {
        damage.Skip(EvtxRecordsInDamagedChunk(chunk), "chunk header checksum mismatch");
        return;
    }
    const std::uint32_t free = Load32(&chunk[kFreeSpaceAt]);
    if (free < kRecordsAt || free > chunk.size() ||
        Load32(&chunk[kDataChecksumAt]) != EvtxChunkDataChecksum(chunk)) {
        damage.Skip(EvtxRecordsInDamagedChunk(chunk), "chunk checksum mismatch");
        return;
    }
    TChunkReader reader(chunk, pool);
    std::size_t pos = kRecordsAt;
    std::uint64_t lastId = 0;
    while (pos < free) {
        std::size_t room = free - pos;
        std::uint32_t size = room >= 8 ? Load32(&chunk[pos + 4]) : 0;
        if (room < kMinRecordSize || Load32(&chunk[pos]) != kRecordSignature ||
            size < kMinRecordSize || size > room || Load32(&chunk[pos + size - 4]) != size) {
            // What is left of the chunk cannot be walked; the header says how much it held.
            std::uint64_t headerLast = Load64(&chunk[kLastRecordIdAt]);
            std::uint64_t left = headerLast > lastId && headerLast - lastId < kEvtxChunkSize
                                     ? headerLast - lastId
                                     : 1;
            damage.Skip(left, "a record whose size points past its chunk");
            return;
        }
        lastId = Load64(&chunk[pos + kRecordIdAt]);
        if (seen.Contains(lastId)) {
            damage.Skip(1, "a record whose number was read before");
        } else {
            seen.Add(lastId);
            if (!reader.Decode(pos, size)) damage.Skip(1, "a record whose binary XML is damaged");
        }
        pos += size;
    }
}
