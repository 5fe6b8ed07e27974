#include "rules/for_tests.h"
#include "rules/random.h"

namespace {
// The window's thread draws the game's sequence; a thread that simulates a
// copy of the table draws from its own and leaves that sequence alone.
thread_local constinit uint32_t generator_state = 0;
}

uint32_t random_below(uint32_t n)
{
    generator_state = generator_state * 134775813u + 1u;  // wraps modulo 2^32
    // The high half of state × n spreads the state evenly over 0 .. n - 1.
    return static_cast<uint32_t>((static_cast<uint64_t>(generator_state) * n) >> 32);
}

void reset_random()
{
    generator_state = 0;
}

uint32_t praise_state()
{
    return generator_state;
}

void set_praise_state(uint32_t state)
{
    generator_state = state;
}
