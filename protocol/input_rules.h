#pragma once

#include <optional>

#include "protocol/match_table.h"

// The host plays player 1, the guest player 2.
enum class Side : uint8_t { host, guest };

constexpr int player_of(Side side)
{
    return side == Side::host ? 1 : 2;
}
constexpr Side other_side(Side side)
{
    return side == Side::host ? Side::guest : Side::host;
}

// Who played the last shot of the rack, as long as the other side has not played since.
using LastShooter = std::optional<Side>;

// Whether the host takes `input` from `side` on a settled table: a shot or a
// placement from the current player's side while the game goes on, with the
// cue ball on the table for a shot and off it for a placement; the undo from
// the side that played the last shot, while the table has one to take back.
// A new game is agreed apart, by both sides.
bool may_play(Side side, const Input& input, const TableFacts& facts, const LastShooter& last_shooter);

// The last shooter once `side`'s `input` has been played.
LastShooter after_input(const LastShooter& last_shooter, Side side, const Input& input);
