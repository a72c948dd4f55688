#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "eventlog/EventLogSource.h"

// The logs a Linux machine keeps its history in, in the order preferred on a tie.
enum TLiveSource : std::uint8_t {
    lsAuto,  // chosen by ChooseLiveSource
    lsJournal,
    lsWtmpdb,
    lsWtmp,
};

// "journal", "wtmpdb", "wtmp"; "auto" for lsAuto.
const char* LiveSourceName(TLiveSource source);
// The source an argument of --source names; false for any other text.
bool ParseLiveSource(std::string_view text, TLiveSource& source);

// One log the machine has, and the boots it knows.
struct TLiveCandidate {
    TLiveSource Source = lsAuto;
    TBootRange Boots;
};

// A log knows the current boot when its newest boot is within this of the machine's boot.
constexpr std::int64_t kSameBootSeconds = 60;

// The log to read the live history from: of the logs that know the current boot, the one
// that reaches furthest back; on a tie the earlier in the order journal, wtmpdb, wtmp. When
// none knows the current boot, the one with the newest boot; when none knows any boot, the
// first candidate. lsAuto when there is no candidate.
TLiveSource ChooseLiveSource(std::span<const TLiveCandidate> candidates,
                             std::int64_t currentBootUtc);

// The machine's own log as the platform opens it.
struct TLiveLog {
    std::unique_ptr<TEventLogSource> Source;  // null when the machine has no such log
    std::string Name;                         // "journal", "wtmpdb", "wtmp", "System"
    std::vector<std::string> Files;           // the files read, newest first, where it is files
    TResult<void> Readable;  // fails with the reason when the log cannot be read at all
};
