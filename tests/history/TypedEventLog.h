#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "eventlog/EventLogSource.h"

// A log of typed events in memory: given oldest first, handed out newest first.
class TTypedEventLog : public TEventLogSource {
  public:
    explicit TTypedEventLog(std::vector<TLogEvent> inTimeOrder) : events_(std::move(inTimeOrder)) {
        for (std::size_t i = 0; i < events_.size(); ++i) events_[i].Order = i + 1;
    }

    bool Open() override {
        next_ = events_.size();
        return true;
    }
    bool Next(TLogEvent& event) override {
        if (next_ == 0) return false;
        event = events_[--next_];
        return true;
    }
    void Close() override {}

  private:
    std::vector<TLogEvent> events_;
    std::size_t next_ = 0;
};

inline TLogEvent Typed(TEventKind kind, std::int64_t utc, std::int64_t sleptUtc = 0) {
    TLogEvent e;
    e.Kind = kind;
    e.Utc = utc;
    e.SleptUtc = sleptUtc;
    return e;
}

inline TLogEvent Typed(TEventKind kind, std::int64_t utc, std::string user,
                       std::string detail = {}) {
    TLogEvent e = Typed(kind, utc);
    e.User = std::move(user);
    e.Detail = std::move(detail);
    return e;
}
