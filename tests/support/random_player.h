#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "replay/replay_window.h"
#include "sim/variables.h"
#include "tests/support/ball_places.h"
#include "tests/support/table_invariants.h"

// What a soak went through, so that a test can tell it reached every path.
struct SoakCounts {
    int shots = 0;
    int games = 0;
    int undos = 0;
    int placements = 0;
    int interruptions = 0;  // presses, moves, undos and new games while the balls ran
};

// Plays random shots through the game's own handlers, as players with a mouse,
// an undo button and a menu would: aims and shoots, puts the cue ball back,
// sometimes takes a shot back or starts over, and sometimes clicks while the
// balls still run. It checks the table after every simulation tick and after
// every shot, and stops at the first fault.
class RandomPlayer {
public:
    RandomPlayer(ReplayWindow& table, uint32_t seed);

    // Sets up the first rack as the main window does when it opens.
    void open_table();
    // Plays until `shots` shots have been made in all, or a fault is found.
    void play(int shots);

    const std::vector<std::string>& faults() const { return faults_; }
    const SoakCounts& counts() const { return counts_; }

private:
    struct Point {
        int x, y;
    };

    void play_turn();
    void start_new_game();
    // The menu's "New game", without waiting for the supervisor.
    void choose_new_game();
    void put_cue_ball_back();
    void aim_and_shoot();
    void interrupt_running_shot();
    void take_shot_back();
    void settle();
    // Lets time pass, checking the table after every simulation tick.
    void let_time_pass(int64_t ms);

    Point anywhere();
    Point near_cue_ball();
    Point near_placement_region();
    int below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
    bool one_in(int n) { return below(n) == 0; }

    void check(const std::vector<std::string>& found, const std::string& after);
    void check_rest_and_pictures(const std::string& after, DrawingOrder order = DrawingOrder::by_number);
    void fault(const std::string& what);

    ReplayWindow& table_;
    std::mt19937 random_;
    SoakCounts counts_;
    int shots_this_game_ = 0;
    bool shot_launched_this_game_ = false;
    BallPlaces at_launch_{};
    std::vector<std::string> faults_;
};
