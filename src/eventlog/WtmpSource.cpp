#include "eventlog/WtmpSource.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "eventlog/SafeText.h"
#include "eventlog/WtmpRecord.h"

namespace {

constexpr std::uint64_t kRecordsPerBlock = 1024;  // a read of about 400 kB

std::string_view Chars(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

TWtmpEventSource::TWtmpEventSource(std::string path)
    : TWtmpEventSource(std::vector<std::string>{std::move(path)}) {}

TWtmpEventSource::TWtmpEventSource(std::vector<std::string> newestFirst)
    : paths_(std::move(newestFirst)) {}

TWtmpEventSource::~TWtmpEventSource() {
    Close();
}

bool TWtmpEventSource::Open() {
    Close();
    report_ = {};
    return OpenFile(0);
}

void TWtmpEventSource::Close() {
    if (file_.is_open()) file_.close();
    fileIndex_ = paths_.size();
    end_ = 0;
    // A cache kept across opens would serve the bytes of a file since replaced or rotated.
    block_.clear();
    blockStart_ = 0;
}

bool TWtmpEventSource::Fail(const std::string& why) {
    if (report_.Failure.empty() && fileIndex_ < paths_.size())
        report_.Failure = paths_[fileIndex_] + ": " + why;
    return false;
}

bool TWtmpEventSource::OpenFile(std::size_t index) {
    if (file_.is_open()) file_.close();
    block_.clear();
    blockStart_ = 0;
    end_ = 0;
    fileIndex_ = index;
    if (index >= paths_.size()) return false;
    const std::string& path = paths_[index];
    // Only regular files are opened, so that a named pipe given by mistake cannot hang it.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Fail("not a regular file");
    openedSize_ = std::filesystem::file_size(path, ec);
    if (!ec) openedWritten_ = std::filesystem::last_write_time(path, ec);
    if (ec) return Fail(ec.message());
    file_.open(path, std::ios::binary);
    if (!file_.is_open()) return Fail("cannot be opened");
    end_ = openedSize_;
    return true;
}

bool TWtmpEventSource::NextFile() {
    if (fileIndex_ >= paths_.size()) return false;
    // Growth is new records appended after the ones read; anything else means that what was
    // read is not one state of the file.
    std::error_code ec;
    const std::string& path = paths_[fileIndex_];
    std::uint64_t size = std::filesystem::file_size(path, ec);
    bool same =
        !ec && size >= openedSize_ &&
        (size > openedSize_ || std::filesystem::last_write_time(path, ec) == openedWritten_);
    if (!same || ec) return Fail("the log changed while it was read");
    return OpenFile(fileIndex_ + 1);
}

bool TWtmpEventSource::Load(std::uint64_t offset, std::span<const std::uint8_t>& record) {
    const std::size_t size = WtmpRecordSize();
    const std::uint64_t kBlockBytes = kRecordsPerBlock * size;
    if (offset < blockStart_ || offset + size > blockStart_ + block_.size()) {
        std::uint64_t stop = offset + size;
        blockStart_ = stop > kBlockBytes ? stop - kBlockBytes : 0;
        block_.resize(stop - blockStart_);
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(blockStart_));
        file_.read(reinterpret_cast<char*>(block_.data()),
                   static_cast<std::streamsize>(block_.size()));
        if (file_.gcount() != static_cast<std::streamsize>(block_.size())) {
            block_.clear();
            return Fail("the log changed while it was read");
        }
    }
    record = std::span<const std::uint8_t>(block_).subspan(offset - blockStart_, size);
    return true;
}

bool TWtmpEventSource::FindRecord(std::span<const std::uint8_t>& record) {
    const std::size_t size = WtmpRecordSize();
    for (;;) {
        if (fileIndex_ >= paths_.size()) return false;
        if (end_ < size) {
            report_.SkippedBytes += end_;
            end_ = 0;
            if (!NextFile()) return false;
            continue;
        }
        std::uint64_t e = end_;
        for (; e >= size; --e) {
            if (!Load(e - size, record)) return false;
            if (IsPlausibleWtmpRecord(record)) break;
        }
        report_.SkippedBytes += end_ - e;
        end_ = e;
        if (e >= size) return true;
    }
}

bool TWtmpEventSource::Next(TLogEvent& event) {
    std::span<const std::uint8_t> record;
    while (FindRecord(record)) {
        end_ -= record.size();
        TWtmpEvent found;
        if (!DecodeWtmpEvent(record, found)) continue;
        event = {};
        event.Kind = found.Kind;
        event.Utc = found.Time;
        // Later files in the list are older; within a file, later records lie further on.
        event.Order = (std::uint64_t{paths_.size() - fileIndex_} << 48) + end_;
        if (found.Kind == ekUser) event.User = SafeLogText(Chars(found.User));
        // A boot names the kernel release it ran, as a Windows start names the system version.
        event.Detail = SafeLogText(Chars(found.Release));
        return true;
    }
    return false;
}
