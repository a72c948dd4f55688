#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/SessionRecord.h"

// What the log page shows of one session.
struct TSessionRow {
    int StateImage = 0;  // 0 normal or running, 1 abnormal or without a boot
    std::string BootText;
    std::string ShutdownText;
    std::string DurationTextValue;
    std::string UserText;
    std::string StatusText;
};

struct TSessionRows {
    std::vector<TSessionRow> Rows;
    bool AnyUser = false;
    std::int64_t TotalSeconds = 0;  // 64 bits: a long log of long sessions passes 2^31
};

// The user's short date, then, unless it is exactly midnight, a blank and the long time.
std::string DateTimeText(DateTimeValue t);

// Drops the oldest record when it holds neither time (only a user name).
void FinishTable(SessionTable& table);

struct TSessionTotals {
    bool AnyUser = false;
    std::int64_t TotalSeconds = 0;
};

// The running time of a session with both a boot and a shutdown, counted in UTC seconds, by
// the one rule the rows and the figures share. A shutdown logged before its boot (the clock
// was set back in between) ends an orderly session of unknown length, counted as 0; a span
// past the largest 32-bit duration counts as that largest duration.
std::int32_t CompletedSessionSeconds(std::uint32_t bootUtc, std::uint32_t shutdownUtc);

// Stores each record's DurationSeconds and StatusText into the table.
TSessionTotals FinishRecords(SessionTable& table);

// The state image of a record's row: 0 normal or running, 1 abnormal or without a boot.
int SessionStateImage(const SessionRecord& rec);

// The row of record i of a table that FinishRecords has been through. A long history is
// printed a row at a time rather than held as texts.
TSessionRow SessionRow(const SessionTable& table, std::size_t i);

// FinishRecords, then every row.
TSessionRows BuildRows(SessionTable& table);
