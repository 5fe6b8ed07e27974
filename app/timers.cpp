#include "app/timers.h"

WindowTimers::WindowTimers()
{
    for (TimerId t : ALL_TIMERS) {
        QTimer& timer = timers_[timer_index(t)];
        // The simulation's pace is its tick: coarse timers would slow the balls.
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(timer_interval_ms(t));
    }
}

void WindowTimers::wire(TimerId t, Handler handler)
{
    QObject::connect(&timers_[timer_index(t)], &QTimer::timeout, handler);
}

void WindowTimers::set_running(TimerId t, bool on)
{
    QTimer& timer = timers_[timer_index(t)];
    if (on && !timer.isActive()) timer.start();
    if (!on) timer.stop();
}
