#include "widgets/WsPollingStatus.h"

#include <algorithm>
#include <memory>

#include "base/StoreChanged.h"
#include "framework/Application.h"

namespace {

std::unique_ptr<TWsPollingList> gPollingList;

}  // namespace

TWsPollingList::TWsPollingList() = default;

TWsPollingList* TWsPollingList::Instance() {
    return gPollingList.get();
}

void TWsPollingList::Add(TWsPollingStatus* pane) {
    if (!gPollingList) {
        gPollingList.reset(new TWsPollingList());
        gPollingList->Restart();
    }
    gPollingList->panes_.push_back(pane);
}

void TWsPollingList::Remove(TWsPollingStatus* pane) {
    if (!gPollingList) return;
    std::erase(gPollingList->panes_, pane);
    if (gPollingList->panes_.empty()) {
        gPollingList->Stop();
        gPollingList.reset();
    }
}

bool TWsPollingList::Active() const {
    return active_;
}

void TWsPollingList::SetActive(bool active) {
    if (StoreChanged(active_, active)) Restart();
}

std::uint32_t TWsPollingList::Interval() const {
    return interval_;
}

void TWsPollingList::SetInterval(std::uint32_t ms) {
    ms = std::max<std::uint32_t>(ms, 1);
    if (StoreChanged(interval_, ms)) Restart();
}

void TWsPollingList::Stop() {
    if (timerId_ != 0 && Application) Application->KillTimer(timerId_);
    timerId_ = 0;
}

void TWsPollingList::Restart() {
    Stop();
    if (!active_ || !Application) return;
    timerId_ = Application->SetTimer(interval_, [this] { Tick(); });
}

void TWsPollingList::Tick() {
    // A pane's work may free panes, even the last one and this list with it.
    const std::vector<TWsPollingStatus*> snapshot = panes_;
    for (TWsPollingStatus* pane : snapshot) {
        if (gPollingList.get() != this) return;
        if (std::find(panes_.begin(), panes_.end(), pane) == panes_.end()) continue;
        if (pane->Visible()) pane->TimerExpired();
    }
}

TWsPollingStatus::TWsPollingStatus(TComponent* owner) : TWsCustomStatusPane(owner) {
    TWsPollingList::Add(this);
}

TWsPollingStatus::~TWsPollingStatus() {
    TWsPollingList::Remove(this);
}

bool TWsPollingStatus::Active() const {
    const TWsPollingList* list = TWsPollingList::Instance();
    return list && list->Active();
}

void TWsPollingStatus::SetActive(bool active) {
    if (TWsPollingList* list = TWsPollingList::Instance()) list->SetActive(active);
}

std::uint32_t TWsPollingStatus::Interval() const {
    const TWsPollingList* list = TWsPollingList::Instance();
    return list ? list->Interval() : 500;
}

void TWsPollingStatus::SetInterval(std::uint32_t ms) {
    if (TWsPollingList* list = TWsPollingList::Instance()) list->SetInterval(ms);
}

void TWsPollingStatus::TimerExpired() {
    if (OnTimerExpired) OnTimerExpired(this);
}
