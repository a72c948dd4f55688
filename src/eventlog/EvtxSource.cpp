#include "eventlog/EvtxSource.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "eventlog/EvtxChunk.h"

namespace {

constexpr char kFileSignature[8] = {'E', 'l', 'f', 'F', 'i', 'l', 'e', '\0'};

}  // namespace

bool HasEvtxSignature(const std::uint8_t* bytes, std::size_t size) {
    return size >= sizeof kFileSignature &&
           std::memcmp(bytes, kFileSignature, sizeof kFileSignature) == 0;
}

TEvtxEventSource::TEvtxEventSource(std::string path, TLogFileNotice notice)
    : TWindowsLogSource(std::move(path), std::move(notice)) {}

bool TEvtxEventSource::Load(std::istream& file, std::uint64_t size, TLogEventPool& pool,
                            TLoadDamage& damage) {
    std::uint8_t header[kEvtxHeaderUsed];
    if (size < sizeof header || !ReadFileBytes(file, 0, header, sizeof header) ||
        !HasEvtxSignature(header, sizeof header))
        return false;
    // The header's chunk count is not used: a dirty file can hold more chunks than it says,
    // and every chunk carries its own checksums.
    std::vector<std::uint8_t> chunk(kEvtxChunkSize);
    TEvtxRecordIds seen;
    std::uint64_t offset = kEvtxHeaderBlockSize;
    for (; offset + kEvtxChunkSize <= size; offset += kEvtxChunkSize) {
        if (!ReadFileBytes(file, offset, chunk.data(), chunk.size())) {
            damage.Changed = true;
            break;
        }
        ReadEvtxChunk(chunk, seen, pool, damage);
    }
    if (offset < size && offset + kEvtxChunkSize > size) {
        std::size_t partial = static_cast<std::size_t>(size - offset);
        chunk.assign(kEvtxChunkSize, 0);
        if (!ReadFileBytes(file, offset, chunk.data(), partial)) {
            damage.Changed = true;
        } else if (std::any_of(chunk.begin(), chunk.end(), [](std::uint8_t b) { return b != 0; })) {
            // A chunk cut short cannot be checked: count what it seems to hold as lost.
            damage.Skip(EvtxRecordsInDamagedChunk(std::span(chunk).first(partial)),
                        "the file is cut short");
        }
    }
    pool.SortByOrder();
    return true;
}
