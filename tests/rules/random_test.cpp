#include <gtest/gtest.h>

#include "rules/for_tests.h"
#include "rules/random.h"

namespace {

// Worked by hand from state := state × 134775813 + 1 (mod 2^32), draw := high
// 32 bits of state × n: the states run 1, 134775814, 3698175007, 870078620,
// 1172187917, 2884733762.
TEST(Generator, DrawsTheHighHalfOfTheNextStateTimesN)
{
    reset_random();
    const uint32_t below_five[] = {0, 0, 4, 1, 1, 3};
    for (uint32_t expected : below_five) EXPECT_EQ(random_below(5), expected);

    reset_random();
    const uint32_t below_hundred[] = {0, 3, 86, 20};  // a remainder would give 1, 14, 7, 20
    for (uint32_t expected : below_hundred) EXPECT_EQ(random_below(100), expected);
}

}  // namespace
