#include "widgets/WsBlinkList.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/Timer.h"

namespace {

struct TBlinkList {
    std::vector<TWsBlinker*> members;
    TTimer timer;
    bool phase = false;
    std::uint16_t on = 500;
    std::uint16_t off = 500;

    TBlinkList() {
        timer.SetEnabled(false);
        timer.OnTimer = [this](TObject*) { Tick(); };
    }

    bool AnyBlinking() const {
        return std::any_of(members.begin(), members.end(),
                           [](const TWsBlinker* m) { return m->IsBlinking(); });
    }

    void Tick() {
        phase = !phase;
        timer.SetInterval(phase ? on : off);
        // A member may leave while another repaints; walk a copy and skip those gone.
        const std::vector<TWsBlinker*> snapshot = members;
        for (TWsBlinker* m : snapshot) {
            if (std::find(members.begin(), members.end(), m) == members.end()) continue;
            if (m->IsBlinking()) m->SetBlinkState(phase);
        }
        if (!AnyBlinking()) Stop();
    }

    void Stop() {
        timer.SetEnabled(false);
        phase = false;
    }
};

std::unique_ptr<TBlinkList> gList;
std::uint16_t gOn = 500;
std::uint16_t gOff = 500;

}  // namespace

namespace WsBlinkList {

void Join(TWsBlinker* member) {
    if (!gList) {
        gList = std::make_unique<TBlinkList>();
        gList->on = gOn;
        gList->off = gOff;
    }
    if (std::find(gList->members.begin(), gList->members.end(), member) == gList->members.end())
        gList->members.push_back(member);
}

void Leave(TWsBlinker* member) {
    if (!gList) return;
    std::erase(gList->members, member);
    if (gList->members.empty())
        gList.reset();
    else if (!gList->AnyBlinking())
        gList->Stop();
}

void BlinkingChanged() {
    if (!gList) return;
    if (!gList->AnyBlinking()) {
        gList->Stop();
    } else if (!gList->timer.Enabled()) {
        gList->timer.SetInterval(gList->off);
        gList->timer.SetEnabled(true);
    }
}

bool Exists() {
    return gList != nullptr;
}
bool Running() {
    return gList && gList->timer.Enabled();
}
bool BlinkPhase() {
    return gList && gList->phase;
}

std::uint16_t IntervalOn() {
    return gOn;
}
void SetIntervalOn(std::uint16_t ms) {
    gOn = std::max<std::uint16_t>(ms, 1);
    if (gList) gList->on = gOn;
}
std::uint16_t IntervalOff() {
    return gOff;
}
void SetIntervalOff(std::uint16_t ms) {
    gOff = std::max<std::uint16_t>(ms, 1);
    if (gList) gList->off = gOff;
}

}  // namespace WsBlinkList
