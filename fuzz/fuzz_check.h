#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under fuzzing: libFuzzer saves the input that
// broke it and stops.
inline void fuzz_check(bool holds, const char* promise)
{
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}
