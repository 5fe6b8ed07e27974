#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "replay/virtual_clock.h"

namespace {

using Tick = std::pair<int64_t, TimerId>;

// A clock whose handlers write down when each tick came.
struct RecordingClock {
    VirtualClock clock;
    std::vector<Tick> ticks;

    RecordingClock()
    {
        for (TimerId t : {Timer1, Timer2, Timer3}) wire(t, [] {});
    }
    // Each tick of t is recorded, then runs `also`.
    template <typename Also>
    void wire(TimerId t, Also also)
    {
        clock.wire(t, [this, t, also] {
            ticks.push_back({clock.now(), t});
            also();
        });
    }
};

TEST(VirtualClock, ATimerTicksOncePerIntervalFromTheMomentItIsSwitchedOn)
{
    RecordingClock c;
    c.clock.wait(30);
    c.clock.set_running(Timer2, true);
    c.clock.wait(320);
    EXPECT_EQ(c.ticks, (std::vector<Tick>{{130, Timer2}, {230, Timer2}, {330, Timer2}}));
    EXPECT_EQ(c.clock.now(), 350);
}

TEST(VirtualClock, ATickDueAtTheEndOfAWaitComesInThatWait)
{
    RecordingClock c;
    c.clock.set_running(Timer3, true);
    c.clock.wait(20);
    EXPECT_EQ(c.ticks, (std::vector<Tick>{{20, Timer3}}));
    c.clock.wait(19);
    EXPECT_EQ(c.ticks.size(), 1u);
    c.clock.wait(1);
    EXPECT_EQ(c.ticks.back(), (Tick{40, Timer3}));
}

TEST(VirtualClock, SwitchingOffCancelsThePendingTickAndSwitchingOnStartsANewPeriod)
{
    RecordingClock c;
    c.clock.set_running(Timer2, true);
    c.clock.wait(150);
    c.clock.set_running(Timer2, false);
    c.clock.wait(100);
    EXPECT_EQ(c.ticks, (std::vector<Tick>{{100, Timer2}}));
    c.clock.set_running(Timer2, true);
    c.clock.wait(100);
    EXPECT_EQ(c.ticks.back(), (Tick{350, Timer2}));
}

TEST(VirtualClock, TicksAtTheSameInstantComeSimulationThenSupervisorThenBanner)
{
    RecordingClock c;
    for (TimerId t : {Timer3, Timer2, Timer1}) c.clock.set_running(t, true);
    c.clock.wait(100);
    ASSERT_EQ(c.ticks.size(), 10u + 1u + 5u);
    for (size_t k = 1; k < c.ticks.size(); ++k) EXPECT_LE(c.ticks[k - 1].first, c.ticks[k].first);
    const std::vector<Tick> at_100(c.ticks.end() - 3, c.ticks.end());
    EXPECT_EQ(at_100, (std::vector<Tick>{{100, Timer1}, {100, Timer2}, {100, Timer3}}));
}

TEST(VirtualClock, ATickSwitchedOffByAnEarlierHandlerOfTheSameInstantDoesNotCome)
{
    RecordingClock c;
    c.wire(Timer1, [&c] { c.clock.set_running(Timer2, false); });
    c.clock.set_running(Timer2, true);
    c.clock.wait(90);
    c.clock.set_running(Timer1, true);
    c.clock.wait(10);
    EXPECT_EQ(c.ticks, (std::vector<Tick>{{100, Timer1}}));
}

TEST(VirtualClock, ATimerSwitchedOnByAHandlerFirstTicksOneIntervalLater)
{
    RecordingClock c;
    c.wire(Timer2, [&c] { c.clock.set_running(Timer1, true); });
    c.clock.set_running(Timer2, true);
    c.clock.wait(125);
    EXPECT_EQ(c.ticks, (std::vector<Tick>{{100, Timer2}, {110, Timer1}, {120, Timer1}}));
}

}  // namespace
