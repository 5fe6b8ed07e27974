#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string_view>

#include "sim/ball.h"
#include "sim/idle_tests.h"
#include "sim/rect.h"
#include "sim/repeat_watch.h"
#include "sim/shot_report_state.h"
#include "sim/table_geometry.h"

// Colours are 24-bit values 0x00BBGGRR. A colour group is named by its colour.
constexpr int32_t WHITE = 0xFFFFFF;
constexpr int32_t BLACK = 0x000000;
constexpr int32_t RED = 0x0000FF;
constexpr int32_t YELLOW = 0x00FFFF;
// Pure blue, which no ball has: a player without a group, or no ball touched yet.
constexpr int32_t NoGroup = 0xFF0000;

// What the current shot produced; 0 between shots. The values belong to the rules.
using OutcomeCode = int32_t;

// An array indexed from 1, as balls (1..16) and players (1..2) are numbered.
// Debug and sanitizer builds check every index.
template <typename T, int N>
struct IndexedFrom1 {
    std::array<T, N> items{};

    T& operator[](int i)
    {
        assert(i >= 1 && i <= N);
        return items[i - 1];
    }
    const T& operator[](int i) const
    {
        assert(i >= 1 && i <= N);
        return items[i - 1];
    }
    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
};

struct tjoueur {
    int32_t group = 0;          // NoGroup, RED or YELLOW
    bool keeps_turn = false;    // not switched away at the next turn switch
    int32_t first_touched = 0;  // colour the cue ball first touched this shot
    std::string_view name;
    bool on_black = false;      // own group cleared: the black is the target
};

// The game state of the window's thread, which plays the match. Any other
// thread that simulates has its own, so it can play a copy of the table out
// while the window's game stays as it is. Plain data with constant
// initialisation: a use in any file needs no initialisation guard. The
// table picture and the back buffer belong to the main window and live with
// it in the view.
struct GameState {
    bool undo_full_rack = false;
    int32_t previous_player = 0;
    Rect dirty_rect;
    bool game_over = false;
    IndexedFrom1<BallRecord, BALL_COUNT> balls;
    IdleTests idle_tests;  // travels with the balls when the state is copied
    bool aiming_enabled = false;
    std::array<float, 6> cue_distances{};  // from the cue-ball centre along the cue
    std::string_view player_name1;
    std::string_view player_name2;
    float aim_sin = 0;
    float aim_neg_cos = 0;
    float shot_strength = 0;
    int32_t current_player = 0;
    bool shot_evaluated = false;
    OutcomeCode outcome = 0;
    IndexedFrom1<tjoueur, 2> players;
    bool first_contact_seen = false;  // since the last new rack, not per shot
    bool skip_cue_restore = false;
    int32_t steps_per_tick = 0;
    float aim_angle = 0;
    bool cue_drawn = false;
    std::string_view end_text;  // always a text that lives for the whole run
    bool shot_launched_this_game = false;  // the undo has a shot to take back
    // What the judgement of a shot reads and writes, as it stood at the launch:
    // the undo puts it back with the balls.
    bool shot_first_contact_seen = false;
    IndexedFrom1<tjoueur, 2> shot_players;
    RepeatWatch repeat_watch;  // of the shot in progress
    bool turn_told = false;    // the table ready for the next shot has been announced
    ShotRecording recording;   // the rules' recording of this game's shots
    Contacts contacts;         // which balls are in touch, for the meetings
};

// No access model is forced: the linker already turns each use in a program
// into an offset from the thread pointer where it can, and a forced one
// cannot reach the state's fields on aarch64.
extern thread_local constinit GameState game;


// Where each ball stands in a new rack.
constexpr IndexedFrom1<int, BALL_COUNT> RACK_X{
    {154, 412, 394, 412, 430, 430, 448, 448, 448, 376, 394, 412, 430, 430, 448, 448}};
constexpr IndexedFrom1<int, BALL_COUNT> RACK_Y{
    {150, 150, 160, 130, 180, 140, 150, 170, 110, 150, 140, 170, 160, 120, 130, 190}};

// The colour each ball has by its number.
constexpr int32_t colour_of_ball(int i)
{
    if (i == CUE_BALL) return WHITE;
    if (i == BLACK_BALL) return BLACK;
    return i <= 9 ? RED : YELLOW;
}
