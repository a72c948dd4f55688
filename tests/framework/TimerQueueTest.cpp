#include "HeadlessApp.h"
#include "framework/Timer.h"

namespace {

class Timers : public HeadlessApp {};

TEST_F(Timers, FireInDueOrderWithTiesInCreationOrder) {
    std::vector<std::string> fired;
    auto stamp = [&](const std::string& name) {
        return [&, name] { fired.push_back(name + "@" + std::to_string(host.Now())); };
    };
    app.SetTimer(300, stamp("b"));
    app.SetTimer(200, stamp("a"));
    app.SetTimer(300, stamp("c"));
    host.Advance(600);
    EXPECT_EQ(fired, (Lines{"a@200", "b@300", "c@300", "a@400", "b@600", "a@600", "c@600"}));
    EXPECT_EQ(host.Now(), 600u);
}

TEST_F(Timers, TimersMayKillAndStartTimersFromTheirCallbacks) {
    std::vector<std::string> fired;
    std::uint32_t victim = 0;
    app.SetTimer(100, [&] {
        fired.push_back("killer@" + std::to_string(host.Now()));
        app.KillTimer(victim);
        app.SetTimer(50, [&] { fired.push_back("new@" + std::to_string(host.Now())); });
    });
    victim = app.SetTimer(100, [&] { fired.push_back("victim"); });
    host.Advance(150);
    EXPECT_EQ(fired, (Lines{"killer@100", "new@150"}));
}

TEST_F(Timers, ALateLoopFiresOnceAndKeepsThePeriod) {
    TTimerQueue queue;
    int count = 0;
    queue.Add(0, 100, [&] { ++count; });
    queue.Fire(350);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(queue.NextDue(), 450u);
    queue.Fire(449);
    EXPECT_EQ(count, 1);
    // A zero period would starve the loop; it counts as one millisecond.
    TTimerQueue zero;
    zero.Add(10, 0, [] {});
    EXPECT_EQ(zero.NextDue(), 11u);
}

TEST_F(Timers, ComponentTimerFollowsEnabledAndInterval) {
    TTimer timer;
    std::vector<std::uint64_t> at;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        at.push_back(host.Now());
    };
    host.Advance(2500);
    timer.SetEnabled(false);
    host.Advance(2000);
    timer.SetEnabled(true);  // counts again from now
    host.Advance(1000);
    timer.SetInterval(300);
    host.Advance(700);
    EXPECT_EQ(at, (std::vector<std::uint64_t>{1000, 2000, 5500, 5800, 6100}));
    timer.SetInterval(0);
    host.Advance(5000);
    EXPECT_EQ(at.size(), 5u);
}

TEST_F(Timers, ADestroyedTimerNeverFires) {
    int count = 0;
    {
        TTimer timer;
        timer.SetInterval(10);
        timer.OnTimer = [&](TObject*) { ++count; };
    }
    host.Advance(100);
    EXPECT_EQ(count, 0);
}

TEST_F(Timers, AnExceptionInATimerGoesToTheApplicationAndOtherTimersStillRun) {
    std::vector<std::string> seen;
    app.OnException = [&](TObject*, const std::exception& e) { seen.push_back(e.what()); };
    app.SetTimer(100, [] { throw std::runtime_error("tick failed"); });
    int other = 0;
    app.SetTimer(100, [&] { ++other; });
    host.Advance(200);
    EXPECT_EQ(seen, (Lines{"tick failed", "tick failed"}));
    EXPECT_EQ(other, 2);
}

}  // namespace
