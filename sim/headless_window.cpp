#include "sim/headless_window.h"

namespace {
// Each thread has its own: a thread that simulates a copy of the table draws
// nothing and switches no timer of the window.
thread_local HeadlessWindow headless;
thread_local constinit Window* attached = nullptr;
}

Window& window()
{
    return attached ? *attached : headless;
}

void attach_window(Window* w)
{
    attached = w;
    if (!w) headless = HeadlessWindow{};
}
