#pragma once

#include <cstdint>

#include "framework/Component.h"

class TApplication;

// A window timer: OnTimer runs every Interval milliseconds from the message loop while
// Enabled. It starts counting when created (or enabled, or given a new interval). It runs on
// the application its owner belongs to (TApplication::Of), looked up each time it starts, so a
// control's timer follows the form the control is on.
class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner = nullptr, bool enabled = true);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t ms);
    // Enables the timer with a new interval and counts from now, even when it ran already.
    void Start(std::uint32_t ms);

    TNotifyEvent OnTimer;

  private:
    void Restart();
    void Stop();

    bool enabled_;
    std::uint32_t interval_ = 1000;
    std::uint32_t id_ = 0;
    // The application the running timer was given to, by serial: it may be gone by the time
    // the timer stops.
    std::uint64_t appSerial_ = 0;
};
