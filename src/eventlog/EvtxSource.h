#pragma once

#include <cstdint>
#include <string>

#include "eventlog/WindowsLogSource.h"

// A Windows XML event log file (.evtx) read as an event log: every chunk whose checksums hold
// is read, the records the scan uses are turned into event records, and all are handed out
// in record-id order, newest first (real logs have clocks that jump back).
class TEvtxEventSource : public TWindowsLogSource {
  public:
    explicit TEvtxEventSource(std::string path, TLogFileNotice notice = {});

  protected:
    bool Load(std::istream& file, std::uint64_t size, TLogEventPool& pool,
              TLoadDamage& damage) override;
};

// True when the first bytes are those of an .evtx file header.
bool HasEvtxSignature(const std::uint8_t* bytes, std::size_t size);
