#include "platform/linux/WtmpFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/linux/WtmpRecord.h"

namespace {

// Records looked at from each end of the file; a whole pass would cost as much as a scan.
constexpr std::uint64_t kSampleRecords = 32;
constexpr const char* kNotWtmp = "not a login accounting file";

class TFd {
  public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

// Empty when every sampled record reads and has a known type.
std::string CheckRecords(int fd, std::uint64_t first, std::uint64_t count) {
    const std::size_t size = WtmpRecordSize();
    std::vector<std::uint8_t> bytes(count * size);
    ssize_t n = pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(first * size));
    if (n < 0) return std::strerror(errno);
    if (static_cast<std::size_t>(n) != bytes.size()) return "the file changed while being read";
    for (std::uint64_t i = 0; i < count; ++i)
        if (!IsKnownWtmpType(std::span<const std::uint8_t>(bytes).subspan(i * size, size)))
            return kNotWtmp;
    return {};
}

}  // namespace

std::string WtmpFileProblem(const std::string& path) {
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) return std::strerror(errno);
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    if (st.st_size == 0) return {};
    std::uint64_t records = static_cast<std::uint64_t>(st.st_size) / WtmpRecordSize();
    if (records == 0) return kNotWtmp;
    std::uint64_t head = records < kSampleRecords ? records : kSampleRecords;
    std::string problem = CheckRecords(fd.Get(), 0, head);
    if (problem.empty() && records > head) {
        std::uint64_t tail = records - head < kSampleRecords ? records - head : kSampleRecords;
        problem = CheckRecords(fd.Get(), records - tail, tail);
    }
    return problem;
}
