#pragma once

#include <cstdint>

#include "framework/Component.h"

// A window timer: OnTimer runs every Interval milliseconds from the message loop while
// Enabled. It starts counting when created (or enabled, or given a new interval).
class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t ms);

    TNotifyEvent OnTimer;

  private:
    void Restart();
    void Stop();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    std::uint32_t id_ = 0;
};
