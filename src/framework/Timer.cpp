#include "framework/Timer.h"

#include "base/StoreChanged.h"
#include "framework/Application.h"

TTimer::TTimer(TComponent* owner, bool enabled) : TComponent(owner), enabled_(enabled) {
    Restart();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (StoreChanged(enabled_, enabled)) Restart();
}

void TTimer::SetInterval(std::uint32_t ms) {
    if (StoreChanged(interval_, ms)) Restart();
}

void TTimer::Start(std::uint32_t ms) {
    enabled_ = true;
    interval_ = ms;
    Restart();
}

void TTimer::Stop() {
    if (id_ != 0)
        if (TApplication* app = TApplication::WithSerial(appSerial_)) app->KillTimer(id_);
    id_ = 0;
}

void TTimer::Restart() {
    Stop();
    if (!enabled_ || interval_ == 0) return;
    TApplication* app = TApplication::Of(Owner());
    if (!app) return;
    appSerial_ = app->Serial();
    id_ = app->SetTimer(interval_, [this] {
        // The handler may free the timer (a list that ends with its last member), so it
        // runs from a copy.
        const TNotifyEvent handler = OnTimer;
        if (handler) handler(this);
    });
}
