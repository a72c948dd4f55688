#include "eventlog/LogFileFormat.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "eventlog/EvtSource.h"
#include "eventlog/EvtxChunk.h"
#include "eventlog/EvtxSource.h"

TLogFileFormat LogFileFormatOf(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return lfLoginAccounting;
    std::ifstream file(path, std::ios::binary);
    std::uint8_t head[8] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    std::size_t got = static_cast<std::size_t>(file.gcount());
    if (HasEvtSignature(head, got)) return lfEvt;
    if (HasEvtxSignature(head, got)) return lfEvtx;
    return lfLoginAccounting;
}

std::string WindowsLogFileProblem(const std::string& path, TLogFileFormat format) {
    std::error_code ec;
    std::uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return ec.message();
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return std::make_error_code(std::errc::permission_denied).message();
    std::uint64_t header = format == lfEvt ? kEvtHeaderSize : kEvtxHeaderUsed;
    if (size < header) return "not a log file: a Windows event log header cut short";
    if (format == lfEvt) {
        // The header's size is written at both its ends.
        std::uint8_t bytes[kEvtHeaderSize];
        file.read(reinterpret_cast<char*>(bytes), sizeof bytes);
        if (file.gcount() != static_cast<std::streamsize>(sizeof bytes))
            return "the file could not be read";
        if (bytes[44] != kEvtHeaderSize || bytes[45] != 0 || bytes[46] != 0 || bytes[47] != 0)
            return "not a log file: a damaged Windows event log header";
    }
    return {};
}
