#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The window timers of the one message loop. Timers due at the same moment fire in the
// order they were set; a timer that the loop reaches late fires once and keeps its period.
class TTimerQueue {
  public:
    std::uint32_t Add(std::uint64_t now, std::uint32_t intervalMs, std::function<void()> fn);
    void Remove(std::uint32_t id);
    bool Contains(std::uint32_t id) const;
    // The earliest due time, or UINT64_MAX when no timer runs.
    std::uint64_t NextDue() const;
    // Fires every timer due at now, earliest first; each at most once per call. Timers may
    // be added or removed by the callbacks.
    void Fire(std::uint64_t now);
    std::size_t Count() const { return entries_.size(); }

  private:
    struct TEntry {
        std::uint32_t Id;
        std::uint32_t Interval;
        std::uint64_t Due;
        std::function<void()> Fn;
    };
    std::vector<TEntry> entries_;
    std::uint32_t nextId_ = 1;
};
