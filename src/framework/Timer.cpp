#include "framework/Timer.h"

#include "base/StoreChanged.h"
#include "framework/Application.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
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

void TTimer::Stop() {
    if (id_ != 0 && Application) Application->KillTimer(id_);
    id_ = 0;
}

void TTimer::Restart() {
    Stop();
    if (!enabled_ || interval_ == 0 || !Application) return;
    id_ = Application->SetTimer(interval_, [this] {
        if (OnTimer) OnTimer(this);
    });
}
