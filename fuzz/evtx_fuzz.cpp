// Feeds arbitrary bytes to the .evtx reader. An input that starts with 0xC5 is the body of
// one chunk: it is placed in a file after a valid header and its checksums are made to agree,
// so that the records and their binary XML are reached rather than stopped at the checksum.
// Any other input is the whole file. Each file is also read through a file that shrinks while
// it is read.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "WindowsLogSeeds.h"
#include "app/PrintCommand.h"
#include "eventlog/EvtxChunk.h"
#include "eventlog/EvtxSource.h"

namespace {

constexpr std::uint8_t kChunkMode = 0xC5;

std::vector<std::uint8_t> ChunkSeed(int boots) {
    std::vector<std::uint8_t> file = EvtxBytes(SeedEvents(boots));
    std::vector<std::uint8_t> seed = {kChunkMode};
    std::size_t end = file.size();
    while (end > kEvtxHeaderBlockSize + 512 && file[end - 1] == 0) --end;
    seed.insert(seed.end(), file.begin() + kEvtxHeaderBlockSize, file.begin() + end);
    return seed;
}

// Six boots four records to a chunk, with the second chunk written again at the end: every
// record of the copy has an id read before.
std::vector<std::uint8_t> RepeatedChunks() {
    std::vector<std::uint8_t> file = EvtxBytes(SeedEvents(6), {4});
    const auto second = file.begin() + kEvtxHeaderBlockSize + kEvtxChunkSize;
    std::vector<std::uint8_t> copy(second, second + kEvtxChunkSize);
    file.insert(file.end(), copy.begin(), copy.end());
    FixEvtxChecksums(file);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    WriteSeeds(*argc, *argv,
               {ChunkSeed(1), ChunkSeed(4), EvtxBytes(SeedEvents(1)), RepeatedChunks()});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("evtx", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    static const std::vector<std::uint8_t> header = EvtxBytes({});
    std::vector<std::uint8_t> file;
    if (size > 0 && data[0] == kChunkMode) {
        file.assign(header.begin(), header.begin() + kEvtxHeaderBlockSize);
        file.insert(file.end(), data + 1, data + std::min(size, kEvtxChunkSize + 1));
        file.resize(kEvtxHeaderBlockSize + kEvtxChunkSize, 0);
        FixEvtxChecksums(file);
    } else {
        file.assign(data, data + size);
    }
    if (ftruncate(fd, 0) != 0) return 0;
    if (!file.empty() &&
        pwrite(fd, file.data(), file.size(), 0) != static_cast<ssize_t>(file.size()))
        return 0;

    std::string notices;
    TSessionHistory history(
        std::make_unique<TEvtxEventSource>(path, [&](const std::string& t) { notices += t; }),
        [](std::int64_t) { return 0; });
    history.Refresh();
    if (PrintReport(history).empty()) __builtin_trap();  // the summary lines are always there
    ReadWhileShrinking<TEvtxEventSource>(file.data(), file.size());
    return 0;
}
