#pragma once

#include <utility>
#include <vector>

#include "framework/Accessible.h"

// Stands in for a platform bridge: records every event the tree raises, in order.
class TRecordingSink : public TAccEventSink {
  public:
    std::vector<std::pair<TAccessible*, TAccEvent>> events;
    void AccessibleEvent(TAccessible& node, TAccEvent event) override {
        events.emplace_back(&node, event);
    }
    int Count(TAccessible* node, TAccEvent event) const {
        int n = 0;
        for (const auto& [who, what] : events) n += who == node && what == event;
        return n;
    }
};
