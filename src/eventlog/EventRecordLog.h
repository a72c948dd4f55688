#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// Why a read of the event log service failed; the values are the Windows error codes.
enum TEventReadError : std::uint32_t {
    erNone = 0,
    erEndOfLog = 38,             // ERROR_HANDLE_EOF: no more records
    erInsufficientBuffer = 122,  // ERROR_INSUFFICIENT_BUFFER: bytesNeeded holds the size
    erReadFault = 30,            // ERROR_READ_FAULT: anything else went wrong
};

// A log read through the operations of the Windows event log service: records in the
// event-record layout, newest first, into a buffer the caller grows when the service asks
// for room, and accounts named by a look-up of their security identifiers. It hands the
// records on as typed events.
class TEventRecordLog : public TEventLogSource {
  public:
    // Copies the next records (each an event record head, then its variable part) into
    // buffer and moves past them. On failure moves nowhere and sets error; with
    // erInsufficientBuffer, bytesNeeded is the size of the next record.
    virtual bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                          std::uint32_t& bytesNeeded, TEventReadError& error) = 0;
    // The account name of a record's security identifier; false when unknown.
    virtual bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) = 0;

    bool Next(TLogEvent& event) final;

  protected:
    // Forgets records of an earlier read still waiting to be handed on; for Open.
    void ForgetPendingRecords();

  private:
    // Reads the next records into buffer_, growing it as the service asks. False at the end
    // of the log or on any failure.
    bool ReadRecords();

    std::vector<std::uint8_t> buffer_;
    std::span<const std::uint8_t> pending_;  // records read but not yet handed on
};
