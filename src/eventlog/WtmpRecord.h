#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// One login accounting record as the event scan sees it.
struct TWtmpEvent {
    std::uint16_t EventId = 0;           // 6005 boot, 6006 orderly shutdown, 7035 user login
    std::uint32_t Time = 0;              // Unix seconds
    std::span<const std::uint8_t> User;  // ut_user up to its first NUL; points into the record
};

std::size_t WtmpRecordSize();

// True when the record's type is one the C library defines; a file whose records are not
// is no login accounting file.
bool IsKnownWtmpType(std::span<const std::uint8_t> record);

// False for the records the scan does not use (and for those dated before 1970).
bool DecodeWtmpEvent(std::span<const std::uint8_t> record, TWtmpEvent& event);
