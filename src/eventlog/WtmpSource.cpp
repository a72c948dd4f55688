#include "eventlog/WtmpSource.h"

#include <filesystem>
#include <utility>

#include "eventlog/EventRecord.h"
#include "eventlog/WtmpRecord.h"

namespace {

constexpr std::uint64_t kRecordsPerBlock = 1024;

// Length of the valid UTF-8 sequence at the start of s, or 0 (overlong forms, surrogates and
// code points past U+10FFFF are not valid).
std::size_t Utf8SequenceLength(std::span<const std::uint8_t> s) {
    struct TLead {
        std::uint8_t Mask, Value, Payload;
        std::uint32_t Least;
    };
    static constexpr TLead kLeads[] = {{0x80, 0x00, 0x7F, 0},
                                       {0xE0, 0xC0, 0x1F, 0x80},
                                       {0xF0, 0xE0, 0x0F, 0x800},
                                       {0xF8, 0xF0, 0x07, 0x10000}};
    for (std::size_t len = 1; len <= 4; ++len) {
        const TLead& lead = kLeads[len - 1];
        if ((s[0] & lead.Mask) != lead.Value) continue;
        if (len > s.size()) return 0;
        std::uint32_t cp = s[0] & lead.Payload;
        for (std::size_t i = 1; i < len; ++i) {
            if ((s[i] & 0xC0) != 0x80) return 0;
            cp = (cp << 6) | (s[i] & 0x3Fu);
        }
        bool valid = cp >= lead.Least && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        return valid ? len : 0;
    }
    return 0;
}

bool ReadFully(std::ifstream& file, std::uint8_t* out, std::size_t size, std::uint64_t offset) {
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(size));
    return file.gcount() == static_cast<std::streamsize>(size);
}

}  // namespace

std::string SanitizedAccountName(std::span<const std::uint8_t> bytes) {
    std::string name;
    while (!bytes.empty()) {
        std::size_t len = Utf8SequenceLength(bytes);
        if (len == 0) {
            name += "\xEF\xBF\xBD";
            len = 1;
        } else if (len == 1 && (bytes[0] < 0x20 || bytes[0] == 0x7F)) {
            name += '?';
        } else {
            name.append(reinterpret_cast<const char*>(bytes.data()), len);
        }
        bytes = bytes.subspan(len);
    }
    return name;
}

TWtmpEventSource::TWtmpEventSource(std::string path) : path_(std::move(path)) {}

TWtmpEventSource::~TWtmpEventSource() {
    Close();
}

bool TWtmpEventSource::Open() {
    Close();
    // Only regular files are opened, so that a named pipe given by mistake cannot hang it.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return false;
    std::uint64_t size = std::filesystem::file_size(path_, ec);
    if (ec) return false;
    file_.open(path_, std::ios::binary);
    if (!file_.is_open()) return false;
    remaining_ = size / WtmpRecordSize();
    return true;
}

void TWtmpEventSource::Close() {
    if (file_.is_open()) file_.close();
    remaining_ = 0;
    blockCount_ = 0;
}

bool TWtmpEventSource::LoadRecord(std::uint64_t index, std::span<const std::uint8_t>& record) {
    const std::size_t size = WtmpRecordSize();
    if (index < blockFirst_ || index >= blockFirst_ + blockCount_) {
        blockFirst_ = index + 1 >= kRecordsPerBlock ? index + 1 - kRecordsPerBlock : 0;
        blockCount_ = index + 1 - blockFirst_;
        block_.resize(blockCount_ * size);
        if (!ReadFully(file_, block_.data(), block_.size(), blockFirst_ * size)) {
            blockCount_ = 0;
            return false;
        }
    }
    record = std::span<const std::uint8_t>(block_).subspan((index - blockFirst_) * size, size);
    return true;
}

bool TWtmpEventSource::ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                                std::uint32_t& bytesNeeded, TEventReadError& error) {
    bytesRead = 0;
    bytesNeeded = 0;
    if (!file_.is_open()) {
        error = erReadFault;
        return false;
    }
    while (remaining_ > 0) {
        std::span<const std::uint8_t> record;
        if (!LoadRecord(remaining_ - 1, record)) {
            error = erReadFault;
            return false;
        }
        TWtmpEvent event;
        if (!DecodeWtmpEvent(record, event)) {
            --remaining_;
            continue;
        }
        std::size_t size = EventRecordSize(event.User.size());
        if (buffer.size() < size) {
            bytesNeeded = static_cast<std::uint32_t>(size);
            error = erInsufficientBuffer;
            return false;
        }
        WriteEventRecord(buffer, event.Time, event.EventId, event.User);
        bytesRead = static_cast<std::uint32_t>(size);
        --remaining_;
        error = erNone;
        return true;
    }
    error = erEndOfLog;
    return false;
}

bool TWtmpEventSource::LookupAccount(std::span<const std::uint8_t> sid, std::string& name) {
    if (sid.empty()) return false;
    name = SanitizedAccountName(sid);
    return true;
}
