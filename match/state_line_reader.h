#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/ball.h"
#include "sim/variables.h"

// A state line read back: what a network guest takes over from the host's table.
struct BallLine {
    float x = 0, y = 0, vx = 0, vy = 0;
    BallState state = BALL_OFF_TABLE;
};

struct StateLine {
    std::array<BallLine, BALL_COUNT> balls;
    int32_t current_player = 1;
    int32_t previous_player = 1;
    std::array<tjoueur, 2> players;  // their rule fields: the names stay empty
    int32_t outcome = 0;
    std::string status;
    bool game_over = false;
    bool aiming_enabled = false;
    bool shot_evaluated = false;
    bool first_contact_seen = false;
    std::array<bool, 3> timers{};  // simulation, supervisor, banner
};

// A state line exactly as the driver prints it, with or without its leading
// "t" member. Nothing when it has another shape or a value out of its range:
// a ball beyond the drawing area or faster than any shot, a player, group,
// colour or outcome the game does not have.
std::optional<StateLine> read_state_line(std::string_view line);
