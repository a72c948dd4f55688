#pragma once

#include <systemd/sd-journal.h>

#include <cstdint>
#include <string>
#include <vector>

#include "eventlog/EventLogSource.h"

// One boot id of a journal, as its entries tell it. Times are realtime microseconds.
struct TJournalBoot {
    sd_id128_t Id{};
    std::uint64_t FirstRealtime = 0;
    std::uint64_t FirstMonotonic = 0;  // of the first entry: how long the machine had run
    std::uint64_t LastRealtime = 0;
    bool Orderly = false;
    std::string Kernel;
    // A person's login, or the machine going to sleep or waking from it.
    struct TMoment {
        std::uint64_t Realtime;
        TEventKind Kind;   // ekUser, ekSleep or ekWake
        std::string User;  // ekUser
    };
    std::vector<TMoment> Moments;  // oldest first

    // The moment the kernel started, in realtime microseconds (negative with a clock not set).
    std::int64_t Start() const {
        return static_cast<std::int64_t>(FirstRealtime) - static_cast<std::int64_t>(FirstMonotonic);
    }
};

// Whole seconds of a time in microseconds, rounded down.
inline std::int64_t FloorSeconds(std::int64_t microseconds) {
    std::int64_t s = microseconds / 1000000;
    return microseconds < 0 && s * 1000000 != microseconds ? s - 1 : s;
}

// Every boot of the journal with its first and last entries, the oldest first. Stops early
// with the reason in failure when libsystemd reports an error.
std::vector<TJournalBoot> ListJournalBoots(sd_journal* j, std::string& failure);

// Fills in how each boot ended, its kernel release, its people's logins and its sleeps.
void DescribeJournalBoots(sd_journal* j, std::vector<TJournalBoot>& boots, std::string& failure);

// The typed events of the boots, newest first. A running boot (runningBoot, on a live journal)
// has no end yet; every other boot without an orderly shutdown was last seen alive at its last
// entry.
std::vector<TLogEvent> JournalBootEvents(const std::vector<TJournalBoot>& boots,
                                         const sd_id128_t* runningBoot);
