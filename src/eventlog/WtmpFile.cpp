#include "eventlog/WtmpFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "eventlog/WtmpRecord.h"

namespace {

// Records looked at from each end of the file; a whole pass would cost as much as a scan.
constexpr std::uint64_t kSampleRecords = 32;
constexpr const char* kNotWtmp = kNotLoginAccountingFile;

// Empty when every sampled record reads and has a known type.
std::string CheckRecords(std::ifstream& file, std::uint64_t first, std::uint64_t count) {
    const std::size_t size = WtmpRecordSize();
    std::vector<std::uint8_t> bytes(count * size);
    file.clear();
    file.seekg(static_cast<std::streamoff>(first * size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.gcount() != static_cast<std::streamsize>(bytes.size()))
        return "the file changed while being read";
    for (std::uint64_t i = 0; i < count; ++i)
        if (!IsKnownWtmpType(std::span<const std::uint8_t>(bytes).subspan(i * size, size)))
            return kNotWtmp;
    return {};
}

}  // namespace

std::string WtmpFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec) return ec.message();
    if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory).message();
    if (!fs::is_regular_file(status)) return "not a regular file";
    std::uint64_t bytes = fs::file_size(path, ec);
    if (ec) return ec.message();
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return std::make_error_code(std::errc::permission_denied).message();
    if (bytes == 0) return {};
    std::uint64_t records = bytes / WtmpRecordSize();
    if (records == 0) return kNotWtmp;
    std::uint64_t head = records < kSampleRecords ? records : kSampleRecords;
    std::string problem = CheckRecords(file, 0, head);
    if (problem.empty() && records > head) {
        std::uint64_t tail = records - head < kSampleRecords ? records - head : kSampleRecords;
        problem = CheckRecords(file, records - tail, tail);
    }
    return problem;
}
