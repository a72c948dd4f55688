#pragma once

#include <cstdint>
#include <string>

#include "eventlog/WindowsLogSource.h"

// A Windows NT event log file (.evt) read as an event log. Its records are the event records
// the scan reads, kept as they stand, in the log's own order: from the oldest record around
// the circular record area to the end-of-file record.
class TEvtEventSource : public TWindowsLogSource {
  public:
    explicit TEvtEventSource(std::string path, TLogFileNotice notice = {});

  protected:
    bool Load(std::istream& file, std::uint64_t size, TLogEventPool& pool,
              TLoadDamage& damage) override;
};

constexpr std::uint64_t kEvtHeaderSize = 0x30;

// True when the first bytes are those of an .evt header.
bool HasEvtSignature(const std::uint8_t* bytes, std::size_t size);
