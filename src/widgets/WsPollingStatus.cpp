#include "widgets/WsPollingStatus.h"

#include <algorithm>
#include <memory>

#include "base/StoreChanged.h"
namespace {

std::unique_ptr<TWsPollingList> gPollingList;

}  // namespace

TWsPollingList::TWsPollingList() {
    timer_.OnTimer = [this](TObject*) { Tick(); };
    timer_.Start(500);
}

TWsPollingList* TWsPollingList::Instance() {
    return gPollingList.get();
}

void TWsPollingList::Add(TWsPollingStatus* pane) {
    if (!gPollingList) gPollingList.reset(new TWsPollingList());
    gPollingList->panes_.push_back(pane);
}

void TWsPollingList::Remove(TWsPollingStatus* pane) {
    if (!gPollingList) return;
    std::erase(gPollingList->panes_, pane);
    if (gPollingList->panes_.empty()) gPollingList.reset();
}

bool TWsPollingList::Active() const {
    return timer_.Enabled();
}

void TWsPollingList::SetActive(bool active) {
    timer_.SetEnabled(active);
}

std::uint32_t TWsPollingList::Interval() const {
    return timer_.Interval();
}

void TWsPollingList::SetInterval(std::uint32_t ms) {
    timer_.SetInterval(std::max<std::uint32_t>(ms, 1));
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
