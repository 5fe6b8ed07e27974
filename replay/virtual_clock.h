#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "sim/window.h"

// The three timers on a clock of whole virtual milliseconds. A timer switched
// on at time t ticks at t + interval, t + 2 × interval, ...; switching it off
// cancels its pending tick. Nothing ticks between waits.
class VirtualClock {
public:
    using Handler = std::function<void()>;

    // Each tick of timer t runs `handler`.
    void wire(TimerId t, Handler handler);
    // Switches timer t; switching on a timer that is on leaves it alone, so
    // its period keeps its phase.
    void set_running(TimerId t, bool on);
    bool running(TimerId t) const { return next_due_[timer_index(t)].has_value(); }
    // Advances the clock by `ms`, running every tick that falls due on the way
    // in time order; ticks due at the same instant run simulation, supervisor,
    // banner. A tick whose timer a handler switches off before it comes does not run.
    void wait(int64_t ms);
    int64_t now() const { return now_; }

private:
    // The timer whose tick comes first, no later than `until`.
    std::optional<TimerId> next_tick(int64_t until) const;

    int64_t now_ = 0;
    std::array<std::optional<int64_t>, 3> next_due_;
    std::array<Handler, 3> handlers_;
};
