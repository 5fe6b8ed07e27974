#pragma once

#include <cstdint>

#include "sim/variables.h"

// The computer's unsteady hand: draws come from a generator seeded from the
// table, never from the game's own generator, so the same table always gives
// the same error and the game's sequence of praise draws is left alone.
class AimError {
public:
    explicit AimError(const GameState& table);

    // The next error of the hand, spread about 0 with the given deviation:
    // a turn of the aim in radians, or a share of the strength.
    double next(double deviation);

private:
    // A number from 0 (included) to 1 (excluded).
    double uniform();

    uint64_t state_;
};

// A hash of everything on the table that a shot's choice depends on.
uint64_t table_hash(const GameState& table);
