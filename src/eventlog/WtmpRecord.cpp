#include "eventlog/WtmpRecord.h"

#include <cstring>

#include "eventlog/EventRecord.h"

namespace {

// The record as glibc writes it on 64-bit and 32-bit Linux alike (struct utmp, 384 bytes,
// 32-bit seconds), stated here so that a copied log reads the same on any system.
constexpr std::size_t kRecordSize = 384;
constexpr std::size_t kTypeOffset = 0;   // short
constexpr std::size_t kUserOffset = 44;  // char[32]
constexpr std::size_t kUserSize = 32;
constexpr std::size_t kSecondsOffset = 340;  // int32

enum : std::int16_t {
    wtEmpty = 0,
    wtRunLevel = 1,
    wtBootTime = 2,
    wtUserProcess = 7,
    wtAccounting = 9
};

// Fields are read by offset: the bytes come from a file and need not be aligned.
template <typename T>
T Field(std::span<const std::uint8_t> record, std::size_t offset) {
    T v;
    std::memcpy(&v, record.data() + offset, sizeof v);
    return v;
}

std::span<const std::uint8_t> TextField(std::span<const std::uint8_t> record, std::size_t offset,
                                        std::size_t size) {
    std::span<const std::uint8_t> field = record.subspan(offset, size);
    const void* nul = std::memchr(field.data(), 0, field.size());
    if (nul != nullptr) field = field.first(static_cast<const std::uint8_t*>(nul) - field.data());
    return field;
}

}  // namespace

std::size_t WtmpRecordSize() {
    return kRecordSize;
}

bool IsKnownWtmpType(std::span<const std::uint8_t> record) {
    if (record.size() < kRecordSize) return false;
    auto type = Field<std::int16_t>(record, kTypeOffset);
    return type >= wtEmpty && type <= wtAccounting;
}

bool DecodeWtmpEvent(std::span<const std::uint8_t> record, TWtmpEvent& event) {
    if (record.size() < kRecordSize) return false;
    auto type = Field<std::int16_t>(record, kTypeOffset);
    std::span<const std::uint8_t> user = TextField(record, kUserOffset, kUserSize);
    if (type == wtBootTime) {
        event.EventId = eiBoot;
    } else if (type == wtRunLevel && user.size() == 8 &&
               std::memcmp(user.data(), "shutdown", 8) == 0) {
        event.EventId = eiShutdown;
    } else if (type == wtUserProcess) {
        event.EventId = eiUserControl;
    } else {
        return false;
    }
    auto seconds = Field<std::int32_t>(record, kSecondsOffset);
    if (seconds < 0) return false;
    event.Time = static_cast<std::uint32_t>(seconds);
    event.User = event.EventId == eiUserControl ? user : std::span<const std::uint8_t>();
    return true;
}
