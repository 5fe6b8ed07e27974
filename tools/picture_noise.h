#pragma once

#include <cstdint>

// Fixed-seed randomness for the generated pictures, so that every run of the
// generator writes the same bytes.

// A small linear congruential generator.
class SeededRandom {
public:
    explicit SeededRandom(uint32_t seed) : state_(seed) {}
    // A number in [0, 1).
    double next();
    // A number in [low, high).
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    uint32_t state_;
};

// Smooth value noise in [0, 1] over the plane, one lattice cell per unit.
double value_noise(double x, double y, uint32_t seed);
// Several octaves of value noise, each twice as fine and half as strong; in [0, 1].
double fractal_noise(double x, double y, uint32_t seed, int octaves);
