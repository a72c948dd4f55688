#include "eventlog/WindowsLogSource.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>

#include "eventlog/EventRecord.h"
#include "eventlog/Sid.h"

void TEventRecordPool::Commit(std::size_t start, std::uint64_t order) {
    entries_.push_back({order, static_cast<std::uint32_t>(start),
                        static_cast<std::uint32_t>(bytes_.size() - start)});
}

void TEventRecordPool::SortByOrder() {
    auto byOrder = [](const TEntry& a, const TEntry& b) { return a.Order < b.Order; };
    if (!std::is_sorted(entries_.begin(), entries_.end(), byOrder))
        std::stable_sort(entries_.begin(), entries_.end(), byOrder);
}

void TEventRecordPool::Clear() {
    bytes_.clear();
    entries_.clear();
}

std::span<const std::uint8_t> TEventRecordPool::Record(std::size_t index) const {
    const TEntry& e = entries_[index];
    return std::span<const std::uint8_t>(bytes_).subspan(e.Offset, e.Length);
}

void TLoadDamage::Skip(std::uint64_t records, const char* why) {
    if (Why.empty()) Why = why;
    SkippedRecords += records;
}

bool ReadFileBytes(std::ifstream& file, std::uint64_t offset, std::uint8_t* out, std::size_t size) {
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(size));
    return file.gcount() == static_cast<std::streamsize>(size);
}

bool IsKeptEventId(std::uint32_t eventId) {
    switch (eventId & 0xFFFFu) {
        case eiBoot:
        case eiShutdown:
        case eiSystemVersion:
        case eiUserControl:
            return true;
        default:
            return false;
    }
}

TWindowsLogSource::TWindowsLogSource(std::string path, TLogFileNotice notice)
    : path_(std::move(path)), notice_(std::move(notice)) {}

bool TWindowsLogSource::Open() {
    Close();
    damage_ = {};
    // Only regular files are opened, so that a named pipe given by mistake cannot hang it.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return false;
    std::uint64_t size = std::filesystem::file_size(path_, ec);
    if (ec) return false;
    std::ifstream file(path_, std::ios::binary);
    if (!file.is_open()) return false;
    if (!Load(file, size, pool_, damage_)) {
        pool_.Clear();
        return false;
    }
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

bool TWindowsLogSource::ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                                 std::uint32_t& bytesNeeded, TEventReadError& error) {
    bytesRead = 0;
    bytesNeeded = 0;
    if (!open_) {
        error = erReadFault;
        return false;
    }
    if (remaining_ == 0) {
        error = erEndOfLog;
        return false;
    }
    std::span<const std::uint8_t> record = pool_.Record(remaining_ - 1);
    if (buffer.size() < record.size()) {
        bytesNeeded = static_cast<std::uint32_t>(record.size());
        error = erInsufficientBuffer;
        return false;
    }
    std::memcpy(buffer.data(), record.data(), record.size());
    bytesRead = static_cast<std::uint32_t>(record.size());
    --remaining_;
    error = erNone;
    return true;
}

bool TWindowsLogSource::LookupAccount(std::span<const std::uint8_t> sid, std::string& name) {
    return SidAccountName(sid, name);
}
