#include "eventlog/WtmpRecord.h"

#include <cstring>

namespace {

// The record as glibc writes it on 64-bit and 32-bit Linux alike (struct utmp, 384 bytes,
// 32-bit seconds), stated here so that a copied log reads the same on any system.
constexpr std::size_t kRecordSize = 384;
constexpr std::size_t kTypeOffset = 0;  // short, then two bytes of padding
constexpr std::size_t kPidOffset = 4;   // int32
constexpr std::size_t kLineOffset = 8;  // char[32]
constexpr std::size_t kLineSize = 32;
constexpr std::size_t kUserOffset = 44;  // char[32]
constexpr std::size_t kUserSize = 32;
constexpr std::size_t kHostOffset = 76;  // char[256]
constexpr std::size_t kHostSize = 256;
constexpr std::size_t kSecondsOffset = 340;       // uint32
constexpr std::size_t kMicrosecondsOffset = 344;  // int32

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

// The C library fills what follows a text's terminator with NULs.
bool IsNulPadded(std::span<const std::uint8_t> record, std::size_t offset, std::size_t size) {
    static constexpr std::uint8_t kZeros[kHostSize] = {};
    std::size_t used = TextField(record, offset, size).size();
    return std::memcmp(record.data() + offset + used, kZeros, size - used) == 0;
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

bool IsPlausibleWtmpRecord(std::span<const std::uint8_t> record) {
    if (!IsKnownWtmpType(record) || record[2] != 0 || record[3] != 0) return false;
    if (Field<std::int32_t>(record, kPidOffset) < 0) return false;
    auto micro = Field<std::int32_t>(record, kMicrosecondsOffset);
    if (micro < 0 || micro >= 1000000) return false;
    return IsNulPadded(record, kLineOffset, kLineSize) &&
           IsNulPadded(record, kUserOffset, kUserSize) &&
           IsNulPadded(record, kHostOffset, kHostSize);
}

bool DecodeWtmpEvent(std::span<const std::uint8_t> record, TWtmpEvent& event) {
    if (record.size() < kRecordSize) return false;
    auto type = Field<std::int16_t>(record, kTypeOffset);
    std::span<const std::uint8_t> user = TextField(record, kUserOffset, kUserSize);
    event.Release = {};
    if (type == wtBootTime) {
        event.Kind = ekBoot;
        event.Release = TextField(record, kHostOffset, kHostSize);
    } else if (type == wtRunLevel && user.size() == 8 &&
               std::memcmp(user.data(), "shutdown", 8) == 0) {
        event.Kind = ekShutdown;
    } else if (type == wtUserProcess) {
        event.Kind = ekUser;
    } else {
        return false;
    }
    event.Time = Field<std::uint32_t>(record, kSecondsOffset);
    event.User = event.Kind == ekUser ? user : std::span<const std::uint8_t>();
    return true;
}
