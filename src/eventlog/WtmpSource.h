#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// Login accounting files read as one event log: boots, orderly shutdowns and user logins,
// newest first. Each Open reads the files afresh, each backwards in blocks. Records are found
// by their plausibility, counted from the end of the file: bytes that hold no whole record
// (a record torn by a power loss, a write in progress at the end) are stepped over and
// counted, and reading goes on at the next plausible record.
class TWtmpEventSource : public TEventLogSource {
  public:
    explicit TWtmpEventSource(std::string path);
    // A log and its rotated predecessors, the newest file first.
    explicit TWtmpEventSource(std::vector<std::string> newestFirst);
    ~TWtmpEventSource() override;

    bool Open() override;
    bool Next(TLogEvent& event) override;
    void Close() override;
    TLogReadReport ReadReport() const override { return report_; }

  private:
    bool OpenFile(std::size_t index);
    // Closes the current file, noting when it changed while it was read, and opens the next.
    bool NextFile();
    // The next plausible record going backwards, across files. False at the end or on failure.
    bool FindRecord(std::span<const std::uint8_t>& record);
    // The record-sized bytes at offset of the current file, loading the block that ends with
    // them when needed.
    bool Load(std::uint64_t offset, std::span<const std::uint8_t>& record);
    bool Fail(const std::string& why);

    std::vector<std::string> paths_;
    std::size_t fileIndex_ = 0;
    std::ifstream file_;
    std::uint64_t openedSize_ = 0;
    std::filesystem::file_time_type openedWritten_;
    std::uint64_t end_ = 0;  // the next record ends here in the current file
    std::vector<std::uint8_t> block_;
    std::uint64_t blockStart_ = 0;  // block_ holds the file's bytes from here
    TLogReadReport report_;
};
