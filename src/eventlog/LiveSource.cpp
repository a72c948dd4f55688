#include "eventlog/LiveSource.h"

namespace {

constexpr struct {
    TLiveSource Source;
    const char* Name;
} kNames[] = {{lsAuto, "auto"}, {lsJournal, "journal"}, {lsWtmpdb, "wtmpdb"}, {lsWtmp, "wtmp"}};

bool KnowsBoot(const TBootRange& boots, std::int64_t bootUtc) {
    const std::int64_t gap = boots.Newest - bootUtc;
    return boots.Any && gap <= kSameBootSeconds && gap >= -kSameBootSeconds;
}

// The order of preference on a tie: journal, wtmpdb, wtmp, whatever order they came in.
bool PreferredOnTie(TLiveSource a, TLiveSource b) {
    return a < b;
}

}  // namespace

const char* LiveSourceName(TLiveSource source) {
    for (const auto& n : kNames)
        if (n.Source == source) return n.Name;
    return "auto";
}

bool ParseLiveSource(std::string_view text, TLiveSource& source) {
    for (const auto& n : kNames) {
        if (text == n.Name) {
            source = n.Source;
            return true;
        }
    }
    return false;
}

TLiveSource ChooseLiveSource(std::span<const TLiveCandidate> candidates,
                             std::int64_t currentBootUtc) {
    const TLiveCandidate* best = nullptr;
    for (const TLiveCandidate& c : candidates) {
        if (!KnowsBoot(c.Boots, currentBootUtc)) continue;
        if (best == nullptr || c.Boots.Oldest < best->Boots.Oldest ||
            (c.Boots.Oldest == best->Boots.Oldest && PreferredOnTie(c.Source, best->Source)))
            best = &c;
    }
    if (best != nullptr) return best->Source;
    for (const TLiveCandidate& c : candidates) {
        if (!c.Boots.Any) continue;
        if (best == nullptr || c.Boots.Newest > best->Boots.Newest ||
            (c.Boots.Newest == best->Boots.Newest && PreferredOnTie(c.Source, best->Source)))
            best = &c;
    }
    if (best != nullptr) return best->Source;
    for (const TLiveCandidate& c : candidates)
        if (best == nullptr || PreferredOnTie(c.Source, best->Source)) best = &c;
    return best != nullptr ? best->Source : lsAuto;
}
