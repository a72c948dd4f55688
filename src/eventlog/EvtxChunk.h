#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>

#include "eventlog/WindowsLogSource.h"

constexpr std::size_t kEvtxHeaderBlockSize = 4096;
constexpr std::size_t kEvtxHeaderUsed = 128;
constexpr std::size_t kEvtxChunkSize = 65536;

// The record ids a file has given so far, kept as ranges: ids run on without gaps within a
// chunk and from one chunk to the next, so a whole log needs few.
class TEvtxRecordIds {
  public:
    bool Contains(std::uint64_t id) const;
    void Add(std::uint64_t id);

  private:
    std::map<std::uint64_t, std::uint64_t> ranges_;  // first id → last id
};

// Reads the records of one chunk into pool as event records: the provider as source name,
// qualifiers and event id, the creation time, the user SID, and for 6009 the insertion
// strings. Records the scan does not use are passed over after their event id. The pool's
// order key is the record id. A record whose id is in seen already (a chunk written twice,
// a stale copy) is dropped; the others are added to seen. damage counts what could not be
// trusted, the dropped records with it.
void ReadEvtxChunk(std::span<const std::uint8_t> chunk, TEvtxRecordIds& seen, TLogEventPool& pool,
                   TLoadDamage& damage);

// How many records a chunk that cannot be checked seems to hold, counted by their sizes
// alone (at least one); for saying how many were lost.
std::uint64_t EvtxRecordsInDamagedChunk(std::span<const std::uint8_t> chunk);

// The checksums as they belong, for the reader and for writers of test files.
std::uint32_t EvtxHeaderChecksum(std::span<const std::uint8_t> header);
std::uint32_t EvtxChunkHeaderChecksum(std::span<const std::uint8_t> chunk);
// The record-area checksum; 0 when the free-space offset is not inside the chunk.
std::uint32_t EvtxChunkDataChecksum(std::span<const std::uint8_t> chunk);
