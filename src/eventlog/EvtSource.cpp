#include "eventlog/EvtSource.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "eventlog/Bytes_p.h"
#include "eventlog/EventRecord.h"
#include "eventlog/Sid.h"

namespace {

// The file header; every offset in it is from the start of the file.
constexpr std::size_t kStartOffsetAt = 16;
constexpr std::size_t kEndOffsetAt = 20;
constexpr std::size_t kNextNumberAt = 24;
constexpr std::size_t kOldestNumberAt = 28;
constexpr std::size_t kHeaderSizeAgainAt = 44;
constexpr std::uint32_t kSignature = 0x654C664C;  // "LfLe"

// The end-of-file record: its length, four marker words, then the header's four fields.
constexpr std::uint32_t kEofSize = 0x28;
constexpr std::uint32_t kEofMarkers[4] = {0x11111111, 0x22222222, 0x33333333, 0x44444444};
constexpr std::size_t kEofStartAt = 20;
constexpr std::size_t kEofEndAt = 24;
constexpr std::size_t kEofNextAt = 28;
constexpr std::size_t kEofOldestAt = 32;

// The smallest record: the head, two empty names and the closing length.
constexpr std::uint32_t kMinRecordSize = kEventRecordHeadSize + 8;
// The most of a record read for decoding, so that memory stays the same whatever the records
// claim: far more than the strings and account of the events kept ever take, and a longer
// record loses only what lies past it.
constexpr std::uint32_t kMaxDecodedBytes = 64 * 1024;
constexpr std::size_t kBlockSize = 64 * 1024;

// The record area: the file after its header, read as a ring so that a record that reaches
// the end of the file continues right after the header. The first read that comes up short
// of the size the file had when it was opened fails every read after it.
class TRing {
  public:
    TRing(std::istream& file, std::uint64_t fileSize) : file_(file), end_(fileSize) {}

    std::uint64_t Size() const { return end_ - kEvtHeaderSize; }
    bool Contains(std::uint64_t pos) const { return pos >= kEvtHeaderSize && pos < end_; }
    std::uint64_t Advance(std::uint64_t pos, std::uint64_t n) const {
        std::uint64_t offset = (pos - kEvtHeaderSize + n) % Size();
        return kEvtHeaderSize + offset;
    }
    // Bytes from from to to going forward (0 when they are the same place).
    std::uint64_t Distance(std::uint64_t from, std::uint64_t to) const {
        return to >= from ? to - from : Size() - (from - to);
    }

    bool Changed() const { return changed_; }

    bool Read(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
        while (n > 0) {
            std::uint64_t block = (pos / kBlockSize) * kBlockSize;
            if (!Load(block)) return false;
            std::uint64_t inBlock = pos - block;
            std::size_t take =
                static_cast<std::size_t>(std::min<std::uint64_t>(n, block_.size() - inBlock));
            if (take == 0) return false;
            std::memcpy(out, block_.data() + inBlock, take);
            out += take;
            n -= take;
            pos = Advance(pos, take);
        }
        return true;
    }

  private:
    bool Load(std::uint64_t block) {
        if (changed_) return false;
        if (loaded_ && blockAt_ == block) return true;
        std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, end_ - block));
        block_.resize(size);
        loaded_ = ReadFileBytes(file_, block, block_.data(), size);
        changed_ = !loaded_;
        blockAt_ = block;
        return loaded_;
    }

    std::istream& file_;
    std::uint64_t end_;
    std::vector<std::uint8_t> block_;
    std::uint64_t blockAt_ = 0;
    bool loaded_ = false;
    bool changed_ = false;
};

struct TEofRecord {
    std::uint32_t Start = 0, End = 0, Next = 0, Oldest = 0;
};

bool ReadEof(TRing& ring, std::uint64_t pos, TEofRecord& eof) {
    std::uint8_t b[kEofSize];
    if (ring.Size() < kEofSize || !ring.Read(pos, b, kEofSize)) return false;
    if (Load32(b) != kEofSize || Load32(b + kEofSize - 4) != kEofSize) return false;
    for (int i = 0; i < 4; ++i)
        if (Load32(b + 4 + 4 * i) != kEofMarkers[i]) return false;
    eof = {Load32(b + kEofStartAt), Load32(b + kEofEndAt), Load32(b + kEofNextAt),
           Load32(b + kEofOldestAt)};
    return true;
}

// The end-of-file record where the header says, or else the one elsewhere in the area that
// names its own place and the highest next record number (a dirty file's header is stale).
bool FindEof(TRing& ring, std::uint64_t headerEnd, std::uint64_t& pos, TEofRecord& eof) {
    if (ring.Contains(headerEnd) && ReadEof(ring, headerEnd, eof)) {
        pos = headerEnd;
        return true;
    }
    bool found = false;
    // The record may be split by the wrap, so every place up to the file's end is looked at;
    // a ring that is not a multiple of four bytes shifts it off its alignment after the wrap.
    const std::uint64_t step = ring.Size() % 4 == 0 ? 4 : 1;
    for (std::uint64_t at = kEvtHeaderSize; at < kEvtHeaderSize + ring.Size(); at += step) {
        std::uint8_t b[8];
        if (!ring.Read(at, b, 8)) break;
        if (Load32(b) != kEofSize || Load32(b + 4) != kEofMarkers[0]) continue;
        TEofRecord candidate;
        if (!ReadEof(ring, at, candidate) || candidate.End != at) continue;
        if (!found || candidate.Next > eof.Next) {
            eof = candidate;
            pos = at;
            found = true;
        }
    }
    return found;
}

// Walks the ring from the oldest record to the end-of-file record (or, without one, once
// around), keeping the records the scan uses. Where a record does not hold together it looks
// further on, a byte at a time (a ring whose size is not a multiple of four shifts records off
// their alignment after the wrap), for the next one that does.
class TEvtWalk {
  public:
    TEvtWalk(TRing& ring, TLogEventPool& pool) : ring_(ring), pool_(pool) {}

    void Run(std::uint64_t start, std::uint64_t limit) {
        std::uint64_t pos = start;
        std::uint64_t traveled = 0;
        while (traveled < limit) {
            std::uint32_t length = 0;
            if (TryRecord(pos, limit - traveled, length)) {
                pos = ring_.Advance(pos, length);
                traveled += length;
                continue;
            }
            TEofRecord eof;
            if (ring_.Changed() || ReadEof(ring_, pos, eof)) break;
            ++Resyncs;
            bool found = false;
            while (!found && traveled + 1 < limit && !ring_.Changed()) {
                pos = ring_.Advance(pos, 1);
                traveled += 1;
                found = Looks(pos, limit - traveled);
            }
            if (!found) break;
        }
    }

    // True when a record that holds together starts at pos within the given room.
    bool Looks(std::uint64_t pos, std::uint64_t room) {
        std::uint8_t head[kEventRecordHeadSize];
        std::uint32_t length = 0;
        return Check(pos, room, head, length);
    }

    // Records numbered below the oldest one the log names are leftovers.
    void SetFloor(std::uint32_t oldest) { floor_ = oldest; }

    std::uint64_t Accepted = 0;
    std::uint64_t Resyncs = 0;

  private:
    bool Check(std::uint64_t pos, std::uint64_t room, std::uint8_t* head, std::uint32_t& length) {
        // The signature first: most places looked at while searching have none.
        if (!ring_.Read(pos, head, 8) || Load32(head + 4) != kSignature) return false;
        if (!ring_.Read(pos, head, kEventRecordHeadSize)) return false;
        length = Load32(head);
        if (Load32(head + 4) != kSignature || length < kMinRecordSize || length % 4 != 0 ||
            length > room || length > ring_.Size())
            return false;
        std::uint32_t number = Load32(head + 8);
        // Older data: past the newest record, or left over from before the log wrapped.
        if ((haveNumber_ && number <= lastNumber_) || number < floor_) return false;
        std::uint8_t tail[4];
        if (!ring_.Read(ring_.Advance(pos, length - 4), tail, 4)) return false;
        return Load32(tail) == length;
    }

    bool TryRecord(std::uint64_t pos, std::uint64_t room, std::uint32_t& length) {
        std::uint8_t head[kEventRecordHeadSize];
        if (!Check(pos, room, head, length)) return false;
        haveNumber_ = true;
        lastNumber_ = Load32(head + 8);
        ++Accepted;
        TEventRecordHead fields;
        ReadEventRecordHead(std::span<const std::uint8_t>(head, kEventRecordHeadSize), fields);
        if (IsKeptEventId(fields.EventId)) {
            // Only the event is kept, not the record's bytes; a shutdown needs no more than
            // the head.
            const std::size_t decoded = (fields.EventId & 0xFFFF) == eiShutdown
                                            ? kEventRecordHeadSize
                                            : std::min(length, kMaxDecodedBytes);
            record_.resize(decoded);
            TLogEvent event;
            if (ring_.Read(pos, record_.data(), decoded) &&
                DecodeEventRecord(record_, fields, SidAccountName, event))
                pool_.Add(std::move(event));
        }
        return true;
    }

    TRing& ring_;
    TLogEventPool& pool_;
    std::vector<std::uint8_t> record_;
    bool haveNumber_ = false;
    std::uint32_t lastNumber_ = 0;
    std::uint32_t floor_ = 0;
};

}  // namespace

bool HasEvtSignature(const std::uint8_t* bytes, std::size_t size) {
    return size >= 8 && Load32(bytes) == kEvtHeaderSize && Load32(bytes + 4) == kSignature;
}

TEvtEventSource::TEvtEventSource(std::string path, TLogFileNotice notice)
    : TWindowsLogSource(std::move(path), std::move(notice)) {}

bool TEvtEventSource::Load(std::istream& file, std::uint64_t size, TLogEventPool& pool,
                           TLoadDamage& damage) {
    std::uint8_t header[kEvtHeaderSize];
    if (size < kEvtHeaderSize || !ReadFileBytes(file, 0, header, sizeof header)) return false;
    if (!HasEvtSignature(header, sizeof header) ||
        Load32(header + kHeaderSizeAgainAt) != kEvtHeaderSize)
        return false;
    TRing ring(file, size);
    if (ring.Size() < kMinRecordSize) return true;

    TEofRecord eof{Load32(header + kStartOffsetAt), Load32(header + kEndOffsetAt),
                   Load32(header + kNextNumberAt), Load32(header + kOldestNumberAt)};
    std::uint64_t eofPos = 0;
    bool haveEof = FindEof(ring, eof.End, eofPos, eof);
    if (ring.Changed()) {
        damage.Changed = true;
        return true;
    }

    // A file cut short held its records up to where its header puts the end-of-file record.
    std::uint64_t area = ring.Size();
    if (!haveEof && eof.End > kEvtHeaderSize)
        area = std::max<std::uint64_t>(area, eof.End + kEofSize - kEvtHeaderSize);
    // Record numbers run on without gaps, so the count between the oldest and the next says
    // how many records the log holds, where those numbers are believable.
    std::uint64_t expected = eof.Next >= eof.Oldest ? eof.Next - eof.Oldest : 0;
    bool believable = eof.Next >= eof.Oldest && expected <= area / kMinRecordSize + 1;
    TEvtWalk walk(ring, pool);
    if (believable) walk.SetFloor(eof.Oldest);
    // Where the oldest record starts: the end-of-file record's word, then the header's; when
    // neither holds a record, the oldest data follows the end-of-file record.
    std::uint64_t start = 0;
    bool startFound = false;
    const std::uint64_t candidates[] = {eof.Start, Load32(header + kStartOffsetAt)};
    for (std::uint64_t candidate : candidates) {
        std::uint64_t room = haveEof ? ring.Distance(candidate, eofPos) : ring.Size();
        if (ring.Contains(candidate) && walk.Looks(candidate, room)) {
            start = candidate;
            startFound = true;
            break;
        }
    }
    if (!startFound) start = haveEof ? ring.Advance(eofPos, kEofSize) : kEvtHeaderSize;
    if (haveEof && start == eofPos) return true;  // an empty log
    std::uint64_t limit = haveEof ? ring.Distance(start, eofPos) : ring.Size();
    walk.Run(start, limit);
    if (ring.Changed()) {
        damage.Changed = true;
        return true;
    }

    std::uint64_t lost = 0;
    if (believable) {
        lost = expected > walk.Accepted ? expected - walk.Accepted : 0;
    } else if (!startFound || walk.Resyncs > 0) {
        lost = walk.Resyncs + (startFound ? 0 : 1);
    }
    if (lost > 0)
        damage.Skip(lost, walk.Resyncs > 0 || !startFound ? "damaged records in the record area"
                          : haveEof                       ? "records missing from the record chain"
                                                          : "the file is cut short");
    return true;
}
