#include "framework/TimerQueue.h"

#include <algorithm>
#include <cstdint>

std::uint32_t TTimerQueue::Add(std::uint64_t now, std::uint32_t intervalMs,
                               std::function<void()> fn) {
    // A zero period would fire on every pass of the loop and starve the input.
    std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    std::uint32_t id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    entries_.push_back({id, interval, now + interval, std::move(fn)});
    return id;
}

void TTimerQueue::Remove(std::uint32_t id) {
    std::erase_if(entries_, [id](const TEntry& e) { return e.Id == id; });
}

bool TTimerQueue::Contains(std::uint32_t id) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const TEntry& e) { return e.Id == id; });
}

std::uint64_t TTimerQueue::NextDue() const {
    std::uint64_t due = UINT64_MAX;
    for (const TEntry& e : entries_) due = std::min(due, e.Due);
    return due;
}

void TTimerQueue::Fire(std::uint64_t now) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> due;
    for (const TEntry& e : entries_)
        if (e.Due <= now) due.emplace_back(e.Due, e.Id);
    std::sort(due.begin(), due.end());
    for (const auto& [when, id] : due) {
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [id = id](const TEntry& e) { return e.Id == id; });
        if (it == entries_.end()) continue;  // killed by an earlier callback
        it->Due += it->Interval;
        if (it->Due <= now) it->Due = now + it->Interval;
        // The callback may change the list, so it runs from a copy.
        std::function<void()> fn = it->Fn;
        if (fn) fn();
    }
}
