// Writes a match script of random shots for the replay driver to standard output:
//   random_match SHOTS SEED [pixels]
// Each shot aims from a mouse position drawn at random, and the state line
// follows it; with `pixels`, so does the pixels line. Every other position lies in the left part of the table, where
// a potted cue ball may be put back, so that a cue ball in hand comes back
// soon; the others lie anywhere in the drawing area. A fresh rack every 100
// shots keeps a decided game from freezing the rest of the match. The same
// arguments give the same script on every machine: the generator is our own,
// not the library's.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/table_geometry.h"

namespace {

// Where the cue ball may be put back, in drawing-area pixels.
constexpr uint32_t PLACEMENT_LEFT = PLACEMENT_LEFT_EXCLUSIVE + 1 + DRAW_OFFSET_X;
constexpr uint32_t PLACEMENT_WIDTH = PLACEMENT_RIGHT - PLACEMENT_LEFT_EXCLUSIVE;
constexpr uint32_t PLACEMENT_TOP = PLACEMENT_TOP_EXCLUSIVE + 1 + DRAW_OFFSET_Y;
constexpr uint32_t PLACEMENT_HEIGHT = PLACEMENT_BOTTOM_EXCLUSIVE - PLACEMENT_TOP_EXCLUSIVE - 1;
constexpr unsigned long long SHOTS_PER_RACK = 100;

// SplitMix64: a 64-bit counter run through a fixed mix, so every seed gives a good sequence.
class ShotGenerator {
public:
    explicit ShotGenerator(uint64_t seed) : state_(seed) {}

    // A number from 0 to n - 1; the high bits of the product spread the draw evenly enough.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(((next() >> 32) * n) >> 32); }

private:
    uint64_t next()
    {
        state_ += 0x9E3779B97F4A7C15u;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

struct Position {
    uint32_t x;
    uint32_t y;
};

Position next_position(ShotGenerator& generator, bool in_placement_area)
{
    if (in_placement_area)
        return {PLACEMENT_LEFT + generator.below(PLACEMENT_WIDTH), PLACEMENT_TOP + generator.below(PLACEMENT_HEIGHT)};
    const uint32_t x = generator.below(DRAWING_AREA_WIDTH);
    return {x, generator.below(DRAWING_AREA_HEIGHT)};
}

bool read_count(const char* text, unsigned long long& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text != '\0' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    unsigned long long shots = 0;
    unsigned long long seed = 0;
    const bool with_pixels = argc == 4 && std::string(argv[3]) == "pixels";
    if ((argc != 3 && !with_pixels) || !read_count(argv[1], shots) || !read_count(argv[2], seed)) {
        std::fprintf(stderr, "usage: random_match SHOTS SEED [pixels]\n");
        return 2;
    }
    ShotGenerator generator(seed);
    std::printf("# %llu random shots, seed %llu, written by tools/random_match\n", shots, seed);
    for (unsigned long long k = 0; k < shots; ++k) {
        if (k > 0 && k % SHOTS_PER_RACK == 0) std::printf("new\n");
        const Position mouse = next_position(generator, k % 2 == 1);
        std::printf("shot %u %u\nstate\n%s", mouse.x, mouse.y, with_pixels ? "pixels\n" : "");
    }
    return 0;
}
