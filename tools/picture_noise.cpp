#include "tools/picture_noise.h"

#include <cmath>

double SeededRandom::next()
{
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
}

namespace {

// A well-mixed value in [0, 1] for one lattice point.
double lattice_value(int x, int y, uint32_t seed)
{
    uint32_t h = seed ^ (uint32_t(x) * 0x27D4EB2Du) ^ (uint32_t(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA77u;
    h ^= h >> 13;
    h *= 0xC2B2AE3Du;
    h ^= h >> 16;
    return (h >> 8) / 16777215.0;
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

}  // namespace

double value_noise(double x, double y, uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double top = mix(lattice_value(ix, iy, seed), lattice_value(ix + 1, iy, seed), tx);
    const double bottom = mix(lattice_value(ix, iy + 1, seed), lattice_value(ix + 1, iy + 1, seed), tx);
    return mix(top, bottom, ty);
}

double fractal_noise(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0, weight = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * value_noise(x, y, seed + uint32_t(octave) * 101u);
        total += weight;
        x *= 2;
        y *= 2;
        weight /= 2;
    }
    return sum / total;
}
