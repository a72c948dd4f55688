#include "eventlog/WindowsLogSource.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "eventlog/EventRecord.h"
#include "eventlog/PowerEvents.h"

void TLogEventPool::SortByOrder() {
    auto byOrder = [](const TLogEvent& a, const TLogEvent& b) { return a.Order < b.Order; };
    if (!std::is_sorted(events_.begin(), events_.end(), byOrder))
        std::stable_sort(events_.begin(), events_.end(), byOrder);
}

void TLoadDamage::Skip(std::uint64_t records, const char* why) {
    if (Why.empty()) Why = why;
    SkippedRecords += records;
}

bool ReadFileBytes(std::istream& file, std::uint64_t offset, std::uint8_t* out, std::size_t size) {
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(size));
    return file.gcount() == static_cast<std::streamsize>(size);
}

bool IsKeptEventId(std::uint32_t eventId) {
    TEventKind kind;
    return EventKindOfId(eventId, kind) || MayBePowerEvent(eventId);
}

TWindowsLogSource::TWindowsLogSource(std::string path, TLogFileNotice notice)
    : path_(std::move(path)), notice_(std::move(notice)) {}

bool TWindowsLogSource::Open() {
    Close();
    // Only regular files are opened, so that a named pipe given by mistake cannot hang it.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return false;
    std::uint64_t size = std::filesystem::file_size(path_, ec);
    if (ec) return false;
    std::ifstream file(path_, std::ios::binary);
    if (!file.is_open()) return false;
    return OpenStream(file, size);
}

bool TWindowsLogSource::OpenStream(std::istream& file, std::uint64_t size) {
    Close();
    damage_ = {};
    report_ = {};
    if (!Load(file, size, pool_, damage_)) {
        pool_.Clear();
        return false;
    }
    // What was read before the file changed is still handed out; the failure says it is not
    // the whole log.
    if (damage_.Changed) report_.Failure = path_ + ": the log changed while it was read";
    if (damage_.SkippedRecords > 0 && notice_) {
        std::uint64_t n = damage_.SkippedRecords;
        notice_(std::to_string(n) + (n == 1 ? " record" : " records") + " skipped: " + damage_.Why);
    }
    remaining_ = pool_.Count();
    open_ = true;
    return true;
}

void TWindowsLogSource::Close() {
    pool_.Clear();
    remaining_ = 0;
    open_ = false;
}

bool TWindowsLogSource::Next(TLogEvent& event) {
    if (!open_ || remaining_ == 0) return false;
    event = pool_.Event(--remaining_);
    return true;
}
