#include "tests/support/random_player.h"

#include <algorithm>

#include "rules/undo.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "tests/support/table_invariants.h"
#include "view/mouse.h"

namespace {

// A fresh rack now and then keeps the table full of balls to collide.
constexpr int SHOTS_PER_GAME = 60;
// A shot at full strength rests within seconds; ten minutes means it never will.
constexpr int64_t SETTLE_LIMIT_MS = 600'000;
constexpr int64_t TIME_STEP_MS = 10;  // one simulation tick at most per step
constexpr int PLACEMENT_ATTEMPTS = 50;
// How far from the cue ball a close aim may be, in pixels: the full range of strengths.
constexpr int CLOSE_AIM_REACH = 180;
// A little round the left part of the table where the cue ball may go back
// (55..154 across, 55..240 down), so that some clicks fall just outside it.
constexpr int NEAR_PLACEMENT_LEFT = 45, NEAR_PLACEMENT_RIGHT = 165;
constexpr int NEAR_PLACEMENT_TOP = 45, NEAR_PLACEMENT_BOTTOM = 250;

bool cue_ball_on_table()
{
    return game.balls[CUE_BALL].state == BALL_ON_TABLE;
}

}  // namespace

RandomPlayer::RandomPlayer(ReplayWindow& table, uint32_t seed) : table_(table), random_(seed) {}

void RandomPlayer::open_table()
{
    attach_window(&table_);
    if (!set_up_first_rack()) return fault("the table picture did not load");
    table_.show_back_buffer();  // the window's first repaint
    ++counts_.games;
    settle();
}

void RandomPlayer::play(int shots)
{
    while (counts_.shots < shots && faults_.empty()) play_turn();
}

void RandomPlayer::play_turn()
{
    if (game.game_over || shots_this_game_ >= SHOTS_PER_GAME) return start_new_game();
    if (!cue_ball_on_table()) return put_cue_ball_back();
    aim_and_shoot();
    if (one_in(10)) interrupt_running_shot();
    settle();
    check_rest_and_pictures("after the shot");
    if (one_in(8)) take_shot_back();
}

void RandomPlayer::start_new_game()
{
    choose_new_game();
    settle();
    check_rest_and_pictures("after a new game");
}

void RandomPlayer::choose_new_game()
{
    Nouvellepartie1Click();
    ++counts_.games;
    shots_this_game_ = 0;
    shot_launched_this_game_ = false;
}

// A player who cannot find a free spot gives up and starts a new game.
void RandomPlayer::put_cue_ball_back()
{
    for (int attempt = 0; attempt < PLACEMENT_ATTEMPTS && !cue_ball_on_table(); ++attempt) {
        const Point p = one_in(4) ? anywhere() : near_placement_region();
        PaintBox1MouseDown(p.x, p.y);
    }
    if (!cue_ball_on_table()) return start_new_game();
    ++counts_.placements;
    check_rest_and_pictures("after the cue ball was put back", DrawingOrder::cue_ball_last);
}

void RandomPlayer::aim_and_shoot()
{
    Point aim{};
    for (int moves = 1 + below(3); moves > 0; --moves) {
        aim = one_in(2) ? anywhere() : near_cue_ball();
        PaintBox1MouseMove(table_.view().surface(), aim.x, aim.y);
    }
    at_launch_ = ball_places();
    PaintBox1MouseDown(aim.x, aim.y);
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    if (cue_ball.vx == 0 && cue_ball.vy == 0) return fault("the press did not launch the cue ball");
    ++counts_.shots;
    ++shots_this_game_;
    shot_launched_this_game_ = true;
}

// A move, a press or the undo button while the balls run, or a "New game"
// that puts the rack back at once: the table must stay sound through each.
void RandomPlayer::interrupt_running_shot()
{
    let_time_pass(below(1000));
    if (game.aiming_enabled) return;  // the shot was over before the player got to it
    ++counts_.interruptions;
    const Point p = anywhere();
    switch (below(4)) {
    case 0: PaintBox1MouseMove(table_.view().surface(), p.x, p.y); break;
    case 1: PaintBox1MouseDown(p.x, p.y); break;
    case 2: SpeedButton1Click(); break;
    default: choose_new_game();
    }
    check(faults_between_iterations(), "between iterations");
}

// The undo puts every ball back where it stood at the launch, unless the
// game is over or no shot has been made since the rack was set up.
void RandomPlayer::take_shot_back()
{
    const bool takes_effect = !table_.timer_on(Timer3) && shot_launched_this_game_;
    const BallPlaces expected = takes_effect ? at_launch_ : ball_places();
    SpeedButton1Click();
    if (ball_places() != expected)
        fault(takes_effect ? "the undo did not put the balls back where the shot started"
                           : "an undo that should do nothing moved the balls");
    if (takes_effect) ++counts_.undos;
    check_rest_and_pictures("after the undo");
}

// Lets virtual time pass until the balls rest, the shot is judged and the
// player may aim again, checking the table after every simulation tick.
void RandomPlayer::settle()
{
    const auto settled = [] {
        return !window().timer_on(Timer1) && balls_at_rest() && game.shot_evaluated
            && (game.aiming_enabled || game.game_over);
    };
    for (int64_t waited = 0; !settled() && faults_.empty(); waited += TIME_STEP_MS) {
        if (waited >= SETTLE_LIMIT_MS) return fault("the balls never came to rest");
        let_time_pass(TIME_STEP_MS);
    }
}

void RandomPlayer::let_time_pass(int64_t ms)
{
    for (int64_t waited = 0; waited < ms; waited += TIME_STEP_MS) {
        table_.wait(std::min(TIME_STEP_MS, ms - waited));
        check(faults_between_iterations(), "between iterations");
    }
}

RandomPlayer::Point RandomPlayer::anywhere()
{
    return {below(DRAWING_AREA_WIDTH), below(DRAWING_AREA_HEIGHT)};
}

RandomPlayer::Point RandomPlayer::near_cue_ball()
{
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    const int x = static_cast<int>(cue_ball.x) + DRAW_OFFSET_X + below(2 * CLOSE_AIM_REACH + 1) - CLOSE_AIM_REACH;
    const int y = static_cast<int>(cue_ball.y) + DRAW_OFFSET_Y + below(2 * CLOSE_AIM_REACH + 1) - CLOSE_AIM_REACH;
    return {std::clamp(x, 0, DRAWING_AREA_WIDTH - 1), std::clamp(y, 0, DRAWING_AREA_HEIGHT - 1)};
}

RandomPlayer::Point RandomPlayer::near_placement_region()
{
    return {DRAW_OFFSET_X + NEAR_PLACEMENT_LEFT + below(NEAR_PLACEMENT_RIGHT - NEAR_PLACEMENT_LEFT + 1),
            DRAW_OFFSET_Y + NEAR_PLACEMENT_TOP + below(NEAR_PLACEMENT_BOTTOM - NEAR_PLACEMENT_TOP + 1)};
}

void RandomPlayer::check(const std::vector<std::string>& found, const std::string& after)
{
    for (const std::string& what : found) fault(after + ": " + what);
}

// The pictures are worth comparing only when every ball stands somewhere sound.
void RandomPlayer::check_rest_and_pictures(const std::string& after, DrawingOrder order)
{
    const std::vector<std::string> at_rest = faults_at_rest();
    check(at_rest, after);
    if (at_rest.empty() && !game.game_over) check(faults_in_pictures(table_.view(), order), after);
}

void RandomPlayer::fault(const std::string& what)
{
    faults_.push_back("shot " + std::to_string(counts_.shots) + ", t = " + std::to_string(table_.now())
                      + " ms: " + what);
}
