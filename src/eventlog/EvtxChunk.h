#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "eventlog/WindowsLogSource.h"

constexpr std::size_t kEvtxHeaderBlockSize = 4096;
constexpr std::size_t kEvtxHeaderUsed = 128;
constexpr std::size_t kEvtxChunkSize = 65536;

// Reads the records of one chunk into pool as event records: the provider as source name,
// qualifiers and event id, the creation time, the user SID, and for 6009 the insertion
// strings. Records the scan does not use are passed over after their event id. The pool's
// order key is the record id. damage counts what could not be trusted.
void ReadEvtxChunk(std::span<const std::uint8_t> chunk, TLogEventPool& pool, TLoadDamage& damage);

// How many records a chunk that cannot be checked seems to hold, counted by their sizes
// alone (at least one); for saying how many were lost.
std::uint64_t EvtxRecordsInDamagedChunk(std::span<const std::uint8_t> chunk);

// The checksums as they belong, for the reader and for writers of test files.
std::uint32_t EvtxHeaderChecksum(std::span<const std::uint8_t> header);
std::uint32_t EvtxChunkHeaderChecksum(std::span<const std::uint8_t> chunk);
// The record-area checksum; 0 when the free-space offset is not inside the chunk.
std::uint32_t EvtxChunkDataChecksum(std::span<const std::uint8_t> chunk);
