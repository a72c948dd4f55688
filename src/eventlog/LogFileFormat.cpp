#include "eventlog/LogFileFormat.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "eventlog/EvtSource.h"
#include "eventlog/EvtxChunk.h"
#include "eventlog/EvtxSource.h"

namespace {

constexpr char kJournalSignature[8] = {'L', 'P', 'K', 'S', 'H', 'H', 'R', 'H'};
constexpr char kSqliteSignature[16] = "SQLite format 3";  // with its NUL, 16 bytes

bool StartsWith(const std::uint8_t* head, std::size_t got, const char* signature,
                std::size_t size) {
    return got >= size && std::memcmp(head, signature, size) == 0;
}

bool IsJournalFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream file(path, std::ios::binary);
    std::uint8_t head[sizeof kJournalSignature] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    return StartsWith(head, static_cast<std::size_t>(file.gcount()), kJournalSignature,
                      sizeof kJournalSignature);
}

// A folder copied from /var/log/journal (its machine-id folders below it) or from one of them.
bool HoldsJournalFiles(const std::filesystem::path& folder, int depth) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (IsJournalFile(entry.path())) return true;
        if (depth > 0 && entry.is_directory(ec) && HoldsJournalFiles(entry.path(), depth - 1))
            return true;
    }
    return false;
}

}  // namespace

TLogFileFormat LogFileFormatOf(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return HoldsJournalFiles(path, 1) ? lfJournal : lfLoginAccounting;
    if (!std::filesystem::is_regular_file(path, ec)) return lfLoginAccounting;
    std::ifstream file(path, std::ios::binary);
    std::uint8_t head[16] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    std::size_t got = static_cast<std::size_t>(file.gcount());
    if (HasEvtSignature(head, got)) return lfEvt;
    if (HasEvtxSignature(head, got)) return lfEvtx;
    if (StartsWith(head, got, kJournalSignature, sizeof kJournalSignature)) return lfJournal;
    if (StartsWith(head, got, kSqliteSignature, sizeof kSqliteSignature)) return lfSqlite;
    return lfLoginAccounting;
}

const char* LogFileFormatName(TLogFileFormat format) {
    switch (format) {
        case lfEvt:
            return "evt";
        case lfEvtx:
            return "evtx";
        case lfJournal:
            return "journal";
        case lfSqlite:
            return "wtmpdb";
        case lfLoginAccounting:
            break;
    }
    return "wtmp";
}

TResult<void> CheckWindowsLogFile(const std::string& path, TLogFileFormat format) {
    std::error_code ec;
    std::uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return TError(ec.message());
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return TError(std::make_error_code(std::errc::permission_denied).message());
    std::uint64_t header = format == lfEvt ? kEvtHeaderSize : kEvtxHeaderUsed;
    if (size < header) return TError("not a log file: a Windows event log header cut short");
    if (format == lfEvt) {
        // The header's size is written at both its ends.
        std::uint8_t bytes[kEvtHeaderSize];
        file.read(reinterpret_cast<char*>(bytes), sizeof bytes);
        if (file.gcount() != static_cast<std::streamsize>(sizeof bytes))
            return TError("the file could not be read");
        if (bytes[44] != kEvtHeaderSize || bytes[45] != 0 || bytes[46] != 0 || bytes[47] != 0)
            return TError("not a log file: a damaged Windows event log header");
    }
    return {};
}
