#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// A login accounting file read as an event log: boots, orderly shutdowns and user logins,
// newest first. Each Open reads the file afresh; it is read once, backwards, in blocks, and a
// trailing partial record (a write in progress) is left out.
class TWtmpEventSource : public TEventLogSource {
  public:
    explicit TWtmpEventSource(std::string path);
    ~TWtmpEventSource() override;

    bool Open() override;
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override;
    bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) override;
    void Close() override;

  private:
    // The bytes of record index, loading the block that ends with it when needed.
    bool LoadRecord(std::uint64_t index, std::span<const std::uint8_t>& record);

    std::string path_;
    std::ifstream file_;
    std::uint64_t remaining_ = 0;  // records not yet read; the next one is remaining_ - 1
    std::vector<std::uint8_t> block_;
    std::uint64_t blockFirst_ = 0;
    std::uint64_t blockCount_ = 0;
};

// Account names are shown and printed as UTF-8 in tab-separated lines, so bytes that are
// not valid UTF-8 become U+FFFD and control characters '?'.
std::string SanitizedAccountName(std::span<const std::uint8_t> bytes);
