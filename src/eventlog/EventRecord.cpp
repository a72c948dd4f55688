#include "eventlog/EventRecord.h"

#include <cstring>

namespace {

// Field offsets in the Windows EVENTLOGRECORD.
constexpr std::size_t kLengthAt = 0;
constexpr std::size_t kTimeGeneratedAt = 12;
constexpr std::size_t kEventIdAt = 20;
constexpr std::size_t kUserSidLengthAt = 40;
constexpr std::size_t kUserSidOffsetAt = 44;

std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

bool ReadEventRecordHead(std::span<const std::uint8_t> record, TEventRecordHead& head) {
    if (record.size() < kEventRecordHeadSize) return false;
    const std::uint8_t* p = record.data();
    head.Length = Load32(p + kLengthAt);
    head.TimeGenerated = Load32(p + kTimeGeneratedAt);
    head.EventId = Load32(p + kEventIdAt);
    head.UserSidLength = Load32(p + kUserSidLengthAt);
    head.UserSidOffset = Load32(p + kUserSidOffsetAt);
    return true;
}

std::span<const std::uint8_t> EventRecordSid(std::span<const std::uint8_t> record,
                                             const TEventRecordHead& head) {
    std::uint64_t limit = head.Length < record.size() ? head.Length : record.size();
    std::uint64_t end = std::uint64_t{head.UserSidOffset} + head.UserSidLength;
    if (head.UserSidLength == 0 || head.UserSidOffset < kEventRecordHeadSize || end > limit)
        return {};
    return record.subspan(head.UserSidOffset, head.UserSidLength);
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
