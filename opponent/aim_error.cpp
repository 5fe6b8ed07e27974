#include "opponent/aim_error.h"

#include <bit>
#include <cstring>

namespace {

// 64-bit FNV-1a.
constexpr uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;

void mix(uint64_t& hash, uint32_t value)
{
    for (int byte = 0; byte < 4; ++byte) {
        hash ^= (value >> (8 * byte)) & 0xFF;
        hash *= FNV_PRIME;
    }
}

void mix(uint64_t& hash, float value)
{
    mix(hash, std::bit_cast<uint32_t>(value));
}

}  // namespace

uint64_t table_hash(const GameState& table)
{
    uint64_t hash = FNV_OFFSET;
    for (const BallRecord& ball : table.balls) {
        mix(hash, ball.x);
        mix(hash, ball.y);
        mix(hash, static_cast<uint32_t>(ball.state));
    }
    for (const tjoueur& player : table.players) {
        mix(hash, static_cast<uint32_t>(player.group));
        mix(hash, static_cast<uint32_t>(player.keeps_turn) | static_cast<uint32_t>(player.on_black) << 1);
    }
    mix(hash, static_cast<uint32_t>(table.current_player));
    return hash;
}

AimError::AimError(const GameState& table) : state_(table_hash(table)) {}

double AimError::uniform()
{
    // splitmix64: every seed, even a small one, gives well spread draws.
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 53);
}

double AimError::next(double deviation)
{
    // The sum of four uniform draws is close to a normal spread, with no
    // library function whose last bit could differ between builds.
    double sum = 0;
    for (int k = 0; k < 4; ++k) sum += uniform();
    constexpr double FOUR_UNIFORMS_DEVIATION = 0.5773502691896258;  // √(4 / 12)
    return (sum - 2.0) / FOUR_UNIFORMS_DEVIATION * deviation;
}
