#include "sim/window.h"

namespace {
// Each thread has its own: a thread that simulates a copy of the table draws
// nothing and switches no timer of the window.
thread_local Window headless_stand_in;
thread_local constinit Window* attached = nullptr;
}

void Window::set_status_line(const std::string& text)
{
    status_line_ = text;
    status_line_changed();
}

void Window::set_timer(TimerId t, bool on)
{
    if (timers_on_[t] == on) return;
    timers_on_[t] = on;
    timer_switched(t, on);
}

Window& window()
{
    return attached ? *attached : headless_stand_in;
}

void attach_window(Window* w)
{
    attached = w;
    if (!w) headless_stand_in = Window{};
}
