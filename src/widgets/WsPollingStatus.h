#pragma once

#include <cstdint>
#include <vector>

#include "framework/Timer.h"
#include "widgets/WsStatusPane.h"

class TWsPollingStatus;

// The one timer that serves every polling pane of the program, and the panes in creation
// order. Made with the first polling pane and freed with the last, so no timer runs while
// no pane needs one.
class TWsPollingList {
  public:
    // The list, or null while no polling pane exists.
    static TWsPollingList* Instance();

    bool Active() const;
    void SetActive(bool active);
    std::uint32_t Interval() const;
    void SetInterval(std::uint32_t ms);
    int Count() const { return static_cast<int>(panes_.size()); }

  private:
    friend class TWsPollingStatus;
    static void Add(TWsPollingStatus* pane);
    static void Remove(TWsPollingStatus* pane);
    TWsPollingList();
    void Tick();

    std::vector<TWsPollingStatus*> panes_;
    // Without an owner it runs on the newest application (TApplication::Default).
    TTimer timer_{nullptr, false};
};

// A status pane that the shared polling timer wakes every Interval milliseconds while it is
// visible.
class TWsPollingStatus : public TWsCustomStatusPane {
  public:
    explicit TWsPollingStatus(TComponent* owner = nullptr);
    ~TWsPollingStatus() override;

    // Both read and write the shared timer, so they act on every polling pane at once.
    bool Active() const;
    void SetActive(bool active);
    std::uint32_t Interval() const;
    void SetInterval(std::uint32_t ms);

    TNotifyEvent OnTimerExpired;

  protected:
    friend class TWsPollingList;
    // The pane's work on each tick; raises OnTimerExpired.
    virtual void TimerExpired();
};
