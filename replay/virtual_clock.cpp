#include "replay/virtual_clock.h"

#include <utility>

void VirtualClock::wire(TimerId t, Handler handler)
{
    handlers_[timer_index(t)] = std::move(handler);
}

void VirtualClock::set_running(TimerId t, bool on)
{
    if (on == running(t)) return;
    if (on)
        next_due_[timer_index(t)] = now_ + timer_interval_ms(t);
    else
        next_due_[timer_index(t)].reset();
}

std::optional<TimerId> VirtualClock::next_tick(int64_t until) const
{
    std::optional<TimerId> first;
    for (TimerId t : ALL_TIMERS) {
        const std::optional<int64_t>& due = next_due_[timer_index(t)];
        // Strictly earlier only: at a tie the timer listed first keeps its place.
        if (due && *due <= until && (!first || *due < *next_due_[timer_index(*first)])) first = t;
    }
    return first;
}

void VirtualClock::wait(int64_t ms)
{
    const int64_t until = now_ + ms;
    while (const std::optional<TimerId> t = next_tick(until)) {
        std::optional<int64_t>& due = next_due_[timer_index(*t)];
        now_ = *due;
        *due += timer_interval_ms(*t);
        if (handlers_[timer_index(*t)]) handlers_[timer_index(*t)]();
    }
    now_ = until;
}
