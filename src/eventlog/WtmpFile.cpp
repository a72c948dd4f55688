#include "eventlog/WtmpFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "eventlog/WtmpRecord.h"

namespace {

// Bytes looked at from each end of the file; a whole pass would cost as much as a scan.
constexpr std::uint64_t kSampleRecords = 32;
constexpr const char* kNotWtmp = kNotLoginAccountingFile;

// Whether a plausible record starts at any byte of the stretch: a record torn short or stray
// bytes shift every record after them off the multiples of the record size, and the reader
// finds them again, so the check must too.
TResult<bool> HasPlausibleRecord(std::ifstream& file, std::uint64_t first, std::uint64_t bytes) {
    const std::size_t size = WtmpRecordSize();
    std::vector<std::uint8_t> stretch(bytes);
    file.clear();
    file.seekg(static_cast<std::streamoff>(first));
    file.read(reinterpret_cast<char*>(stretch.data()), static_cast<std::streamsize>(bytes));
    if (file.gcount() != static_cast<std::streamsize>(bytes))
        return TError("the file changed while being read");
    for (std::size_t at = 0; at + size <= stretch.size(); ++at)
        if (IsPlausibleWtmpRecord(std::span<const std::uint8_t>(stretch).subspan(at, size)))
            return true;
    return false;
}

}  // namespace

TResult<void> CheckWtmpFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec) return TError(ec.message());
    if (fs::is_directory(status))
        return TError(std::make_error_code(std::errc::is_a_directory).message());
    if (!fs::is_regular_file(status)) return TError("not a regular file");
    std::uint64_t bytes = fs::file_size(path, ec);
    if (ec) return TError(ec.message());
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return TError(std::make_error_code(std::errc::permission_denied).message());
    if (bytes == 0) return {};
    const std::uint64_t size = WtmpRecordSize();
    if (bytes < size) return TError(kNotWtmp);
    // One plausible record anywhere in the head or the tail is enough: the reader steps over
    // whatever else is there and counts it.
    const std::uint64_t stretch = std::min(bytes, (kSampleRecords + 1) * size);
    TResult<bool> found = HasPlausibleRecord(file, 0, stretch);
    if (found && !found.Value() && bytes > stretch)
        found = HasPlausibleRecord(file, bytes - stretch, stretch);
    if (!found) return TError(found.Error());
    if (!found.Value()) return TError(kNotWtmp);
    return {};
}
