#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"

// What the rules of a network match read from the table before each input.
struct TableFacts {
    int current_player = 1;
    bool game_over = false;
    bool cue_ball_on_table = true;
    bool undo_available = false;
    // The player the decided rack's end names; 0 while the rack goes on.
    int winner = 0;
};

// The table a network match is played on: the game's own handlers, and what
// the protocol reads from the table. The window and the driver each give one.
class MatchTable {
public:
    virtual ~MatchTable() = default;

    // The simulation stopped, every ball at rest, the last shot judged and
    // aiming enabled (a decided game settles too).
    virtual bool settled() const = 0;
    virtual TableFacts facts() const = 0;
    // Through the handlers a mouse and the menu use: a shot is a move to its
    // point and a press there, a placement a press, then the undo button and "New game".
    virtual void apply(const Input& input) = 0;
    // The other player's cue at (x, y), through the move handler.
    virtual void show_aim(int x, int y) = 0;
    // A joining guest catches up: a new rack with the praise generator at
    // `praise`, then `inputs`, each on a table at rest, at once and without
    // showing the motion. False, leaving the table as it was, when an input
    // does not do what it does in a match (a shot that does not shoot, a
    // placement with the cue ball on the table, an undo with nothing to take
    // back, a new game).
    virtual bool catch_up(uint32_t praise, const std::vector<Input>& inputs) = 0;

    virtual uint32_t praise() const = 0;
    virtual void set_praise(uint32_t praise) = 0;
    // The protocol's check hash of the table as it stands.
    virtual std::string check_hash() const = 0;
    // The state line without its "t" member.
    virtual std::string state_without_time() const = 0;
    // Takes the balls, players, turn, outcome, status and flags from a state
    // line, and the praise generator. False, changing nothing, when the line
    // cannot be read.
    virtual bool adopt(std::string_view state, uint32_t praise) = 0;
};
