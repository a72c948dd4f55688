#include "platform/linux/WtmpRecord.h"

#include <utmp.h>

#include <cstring>

#include "framework/EventRecord.h"

namespace {

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
    return sizeof(utmp);
}

bool IsKnownWtmpType(std::span<const std::uint8_t> record) {
    if (record.size() < sizeof(utmp)) return false;
    auto type = Field<decltype(utmp::ut_type)>(record, offsetof(utmp, ut_type));
    return type >= EMPTY && type <= ACCOUNTING;
}

bool DecodeWtmpEvent(std::span<const std::uint8_t> record, TWtmpEvent& event) {
    if (record.size() < sizeof(utmp)) return false;
    auto type = Field<decltype(utmp::ut_type)>(record, offsetof(utmp, ut_type));
    std::span<const std::uint8_t> user =
        TextField(record, offsetof(utmp, ut_user), sizeof(utmp::ut_user));
    if (type == BOOT_TIME) {
        event.EventId = eiBoot;
    } else if (type == RUN_LVL && user.size() == 8 &&
               std::memcmp(user.data(), "shutdown", 8) == 0) {
        event.EventId = eiShutdown;
    } else if (type == USER_PROCESS) {
        event.EventId = eiUserControl;
    } else {
        return false;
    }
    auto seconds = Field<decltype(utmp::ut_tv.tv_sec)>(
        record, offsetof(utmp, ut_tv) + offsetof(decltype(utmp::ut_tv), tv_sec));
    if (seconds < 0) return false;
    event.Time = static_cast<std::uint32_t>(seconds);
    event.User = event.EventId == eiUserControl ? user : std::span<const std::uint8_t>();
    return true;
}
