#include "protocol/input_rules.h"

bool may_play(Side side, const Input& input, const TableFacts& facts, const LastShooter& last_shooter)
{
    const bool their_turn = facts.current_player == player_of(side);
    switch (input.kind) {
    case InputKind::shot: return their_turn && !facts.game_over && facts.cue_ball_on_table;
    case InputKind::place: return their_turn && !facts.game_over && !facts.cue_ball_on_table;
    case InputKind::undo: return last_shooter == side && facts.undo_available;
    case InputKind::new_game: return false;
    }
    return false;
}

LastShooter after_input(const LastShooter& last_shooter, Side side, const Input& input)
{
    switch (input.kind) {
    case InputKind::shot: return side;
    // Placing the cue ball is playing: the other side's last shot can no longer be taken back.
    case InputKind::place: return last_shooter == side ? last_shooter : std::nullopt;
    case InputKind::undo: return last_shooter;
    case InputKind::new_game: return std::nullopt;
    }
    return last_shooter;
}
