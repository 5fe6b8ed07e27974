#pragma once

#include <QTimer>
#include <array>

#include "sim/window.h"

// The main window's three timers, ticking through the event loop at their
// fixed intervals.
class WindowTimers {
public:
    using Handler = void (*)();

    WindowTimers();

    // Each tick of timer t runs `handler`.
    void wire(TimerId t, Handler handler);
    // Starting a running timer leaves it alone, so its period keeps its phase.
    void set_running(TimerId t, bool on);
    const QTimer& timer(TimerId t) const { return timers_[index(t)]; }

private:
    static size_t index(TimerId t) { return static_cast<size_t>(t) - 1; }

    std::array<QTimer, 3> timers_;
};
