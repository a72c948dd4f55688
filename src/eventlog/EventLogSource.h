#pragma once

#include <cstdint>
#include <span>
#include <string>

// Why a read failed; the values are the Windows error codes so the Windows source can pass
// them through.
enum TEventReadError : std::uint32_t {
    erNone = 0,
    erEndOfLog = 38,             // ERROR_HANDLE_EOF: no more records
    erInsufficientBuffer = 122,  // ERROR_INSUFFICIENT_BUFFER: bytesNeeded holds the size
    erReadFault = 30,            // ERROR_READ_FAULT: anything else went wrong
};

// What a source noticed while it was read. The scan's result is still everything it read.
struct TLogReadReport {
    std::uint64_t SkippedBytes = 0;  // bytes between records that belonged to no whole record
    std::string Failure;  // why the records read are not the whole log; empty if they are
};

// An event log, read newest record first. The four operations are those of the Windows
// event log service, so the scan is written once for every source.
class TEventLogSource {
  public:
    virtual ~TEventLogSource() = default;

    // False when the log cannot be read.
    virtual bool Open() = 0;
    // Copies the next record (an event record head, then its variable part) into buffer and
    // moves past it. On failure moves nowhere and sets error; with erInsufficientBuffer,
    // bytesNeeded is the size of the next record.
    virtual bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                          std::uint32_t& bytesNeeded, TEventReadError& error) = 0;
    // The account name of the security identifier of a record; false when unknown.
    virtual bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) = 0;
    virtual void Close() = 0;
    // About the reads since the last Open.
    virtual TLogReadReport ReadReport() const { return {}; }
};
