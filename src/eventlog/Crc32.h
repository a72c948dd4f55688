#pragma once

#include <cstdint>
#include <span>

// The CRC-32 of zlib and Ethernet (reflected polynomial 0xEDB88320), continuing from crc.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
