#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>
#include <thread>
#include <vector>

#include "input/aim.h"
#include "opponent/aim_error.h"
#include "opponent/candidates.h"
#include "opponent/computer_shot.h"
#include "opponent/hand.h"
#include "opponent/shot_trial.h"
#include "opponent/table_reading.h"
#include "rules/supervisor.h"

namespace {

// How widely a level searches and how its hand misses.
struct LevelPlan {
    std::vector<double> pot_strengths;
    int refined_candidates;  // the best ones get their neighbouring mouse positions tried
    int refine_reach;        // pixels
    int safety_directions;
    std::vector<double> safety_strengths;
    int placement_spots;
    int placement_step;      // pixels between the spots looked at
    double position_weight;  // what an easy next pot is worth
    Hand hand;
    int steadiness_checked;  // the best ones are tried again a deviation either side
    int escape_directions;   // tried when every shot found so far fouls
};

// The lower levels play plain pots, straight at a ball when nothing pots,
// and miss more; the higher ones weigh the next pot and play safe.
LevelPlan plan_for(ComputerLevel level)
{
    switch (level) {
    case ComputerLevel::easy:
        return {.pot_strengths = {8, 16},
                .refined_candidates = 0, .refine_reach = 0,
                .safety_directions = 0, .safety_strengths = {8},
                .placement_spots = 1, .placement_step = 25,
                .position_weight = 0,
                .hand = {.steady_deviation = 0.004, .per_cut = 0.008, .per_travel = 0.00002, .strength_share = 0.10},
                .steadiness_checked = 0,
                .escape_directions = 0};
    case ComputerLevel::medium:
        return {.pot_strengths = {4, 7, 12, 18},
                .refined_candidates = 4, .refine_reach = 1,
                .safety_directions = 8, .safety_strengths = {6},
                .placement_spots = 2, .placement_step = 20,
                .position_weight = 200,
                .hand = {.steady_deviation = 0.002, .per_cut = 0.004, .per_travel = 0.00001, .strength_share = 0.05},
                .steadiness_checked = 6,
                .escape_directions = 0};
    case ComputerLevel::hard:
        return {.pot_strengths = {3, 5, 8, 12, 18, 28},
                .refined_candidates = 8, .refine_reach = 2,
                .safety_directions = 24, .safety_strengths = {4, 8},
                .placement_spots = 3, .placement_step = 12,
                .position_weight = 800,
                .hand = {.steady_deviation = 0.0008, .per_cut = 0.0015, .per_travel = 0.000004, .strength_share = 0.025},
                .steadiness_checked = 10,
                .escape_directions = 120};
    case ComputerLevel::expert: break;
    }
    return {.pot_strengths = {3, 5, 8, 12, 18, 28},
            .refined_candidates = 8, .refine_reach = 2,
            .safety_directions = 24, .safety_strengths = {4, 8},
            .placement_spots = 3, .placement_step = 12,
            .position_weight = 800,
            .hand = {},
            .steadiness_checked = 0,
            .escape_directions = 120};
}

// Scores of a judged trial, from the best to the worst kind of result.
constexpr double WIN = 1e7;
constexpr double LOSS = -1e7;
constexpr double NOT_PLAYED = -1e9;
constexpr double FOUL = -1e5;
constexpr double POT_AND_STAY = 2000;
constexpr double PER_BALL_POTTED = 100;
constexpr double STAY_WITHOUT_POT = 600;
constexpr double PASS_SAFELY = 500;
// Below this nothing potted and kept the turn: safe shots are tried too.
constexpr double NO_POT_FOUND = POT_AND_STAY;

// Judged on this thread's game, which the trial left as the shot ended.
double score_of(const ShotTrial& trial, int shooter, const LevelPlan& plan)
{
    if (!trial.played) return NOT_PLAYED;
    if (trial.game_over) return trial.won ? WIN : LOSS;
    const int opponent = other_player(shooter);
    if (trial.foul) return FOUL - PASS_SAFELY * best_pot_ease(game, opponent);
    if (trial.turn_kept && trial.own_balls_potted > 0)
        return POT_AND_STAY + PER_BALL_POTTED * trial.own_balls_potted + plan.position_weight * best_pot_ease(game, shooter);
    if (trial.turn_kept) return STAY_WITHOUT_POT + plan.position_weight * best_pot_ease(game, shooter);
    return PASS_SAFELY * (1 - best_pot_ease(game, opponent));
}

struct Scored {
    ComputerShot shot;
    double score = NOT_PLAYED;
};

// Plays every shot out on worker threads, one copy of the table each; the
// scores do not depend on which thread played which shot. A stop request
// ends the work within one trial, leaving the rest unplayed.
void play_out(const GameState& table, std::vector<Scored>& shots, size_t first, const LevelPlan& plan,
              std::stop_token stop)
{
    std::atomic<size_t> next{first};
    auto work = [&] {
        for (size_t i; !stop.stop_requested() && (i = next.fetch_add(1)) < shots.size();)
            shots[i].score = score_of(play_trial(table, shots[i].shot), table.current_player, plan);
    };
    const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> workers;
    for (unsigned k = 0; k < count; ++k) workers.emplace_back(work);
}

// Where the shot is played from: the cue ball where it lies, or each spot it may be put back on.
struct CuePosition {
    Point cue;
    std::optional<MousePoint> place;
};

std::vector<CuePosition> cue_positions(const GameState& table, const LevelPlan& plan)
{
    const BallRecord& cue = table.balls[CUE_BALL];
    if (cue.state != BALL_OFF_TABLE) return {{Point{cue.x, cue.y}, std::nullopt}};
    std::vector<CuePosition> positions;
    for (Point spot : placement_spots(table, plan.placement_step, plan.placement_spots))
        positions.push_back({spot, press_for_spot(spot)});
    return positions;
}

void add_shots(std::vector<Scored>& shots, const CuePosition& from, const std::vector<MousePoint>& aims)
{
    for (MousePoint aim : aims) {
        const ComputerShot shot{from.place, aim};
        const bool known = std::any_of(shots.begin(), shots.end(), [&](const Scored& s) { return s.shot == shot; });
        if (!known) shots.push_back({shot});
    }
}

// The indices of at most `count` shots, the best first; ties keep their order.
std::vector<size_t> best_first(const std::vector<Scored>& shots, size_t count)
{
    std::vector<size_t> order(shots.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return shots[a].score > shots[b].score; });
    order.resize(std::min(count, order.size()));
    return order;
}

// The neighbouring mouse positions of the best shots found so far.
void add_refinements(std::vector<Scored>& shots, const LevelPlan& plan)
{
    std::vector<Scored> best;
    for (size_t i : best_first(shots, plan.refined_candidates)) best.push_back(shots[i]);
    for (const Scored& s : best)
        for (MousePoint aim : neighbours(s.shot.aim, plan.refine_reach))
            add_shots(shots, CuePosition{Point{}, s.shot.place}, {aim});
}

const CuePosition& position_of(const std::vector<CuePosition>& positions, const ComputerShot& shot)
{
    return *std::find_if(positions.begin(), positions.end(), [&](const CuePosition& p) { return p.place == shot.place; });
}

// The aim turned about the cue ball by `turn` radians, its strength times
// `strength_factor`.
MousePoint shaken(const CuePosition& from, MousePoint aim, double turn, double strength_factor)
{
    const double cx = from.cue.x + DRAW_OFFSET_X, cy = from.cue.y + DRAW_OFFSET_Y;
    const double dx = aim.x - cx, dy = aim.y - cy;
    const double c = std::cos(turn), s = std::sin(turn);
    const std::optional<MousePoint> moved = mouse_nearest(from.cue, -(dx * c - dy * s), -(dx * s + dy * c),
                                                          strength_factor * (std::hypot(dx, dy) - BALL_RADIUS) / STRENGTH_DIVISOR);
    return moved.value_or(aim);
}

// How widely the hand's aim errs on that shot.
double deviation_of(const GameState& table, const CuePosition& from, MousePoint aim, const Hand& hand)
{
    const double dx = from.cue.x + DRAW_OFFSET_X - aim.x, dy = from.cue.y + DRAW_OFFSET_Y - aim.y;
    return aim_deviation(hand, shot_reach(table, from.cue, dx, dy));
}

// The same shot a deviation of the hand off, either way in aim and strength.
std::vector<Scored> wavering(const GameState& table, const CuePosition& from, const ComputerShot& shot,
                             const Hand& hand)
{
    const double turn = deviation_of(table, from, shot.aim, hand);
    std::vector<Scored> shots;
    for (double side : {-1.0, 1.0}) {
        shots.push_back({ComputerShot{shot.place, shaken(from, shot.aim, side * turn, 1)}});
        shots.push_back({ComputerShot{shot.place, shaken(from, shot.aim, 0, 1 + side * hand.strength_share)}});
    }
    return shots;
}

// The shot to play: with an unsteady hand, the best ones are weighed by how
// they fare when the hand wavers, and only those are chosen from.
ComputerShot steadiest(const GameState& table, const std::vector<CuePosition>& positions,
                       const std::vector<Scored>& shots, const LevelPlan& plan, std::stop_token stop)
{
    const std::vector<size_t> best = best_first(shots, std::max(plan.steadiness_checked, 1));
    if (plan.steadiness_checked == 0) return shots[best.front()].shot;
    std::vector<Scored> wavered;
    for (size_t i : best) {
        const ComputerShot& shot = shots[i].shot;
        const std::vector<Scored> around = wavering(table, position_of(positions, shot), shot, plan.hand);
        wavered.insert(wavered.end(), around.begin(), around.end());
    }
    play_out(table, wavered, 0, plan, stop);
    const size_t per_shot = wavered.size() / best.size();
    size_t chosen = 0;
    double chosen_score = NOT_PLAYED;
    for (size_t k = 0; k < best.size(); ++k) {
        double score = shots[best[k]].score;
        for (size_t w = 0; w < per_shot; ++w) score += wavered[k * per_shot + w].score;
        score /= static_cast<double>(per_shot + 1);
        if (k == 0 || score > chosen_score) {
            chosen = best[k];
            chosen_score = score;
        }
    }
    return shots[chosen].shot;
}

// The intended shot as the hand plays it. Its error is the table's own draw,
// so the same table always gives the same shot.
ComputerShot as_played(const GameState& table, const std::vector<CuePosition>& positions, const ComputerShot& meant,
                       const Hand& hand)
{
    const CuePosition& from = position_of(positions, meant);
    const double deviation = deviation_of(table, from, meant.aim, hand);
    if (deviation == 0 && hand.strength_share == 0) return meant;
    AimError error(table);
    const double turn = error.next(deviation);
    const double strength_factor = 1 + error.next(hand.strength_share);
    return ComputerShot{meant.place, shaken(from, meant.aim, turn, strength_factor)};
}

}  // namespace

ComputerShot choose_computer_shot(const GameState& table, ComputerLevel level, std::stop_token stop)
{
    const LevelPlan plan = plan_for(level);
    const std::vector<CuePosition> positions = cue_positions(table, plan);
    std::vector<Scored> shots;
    for (const CuePosition& from : positions) add_shots(shots, from, pot_aims(table, from.cue, plan.pot_strengths));
    play_out(table, shots, 0, plan, stop);

    size_t played = shots.size();
    add_refinements(shots, plan);
    if (shots.empty() || shots[best_first(shots, 1).front()].score < NO_POT_FOUND)
        for (const CuePosition& from : positions)
            add_shots(shots, from, safety_aims(table, from.cue, plan.safety_directions, plan.safety_strengths));
    play_out(table, shots, played, plan, stop);

    played = shots.size();
    if (!shots.empty() && shots[best_first(shots, 1).front()].score < 0 && plan.escape_directions > 0)
        for (const CuePosition& from : positions)
            add_shots(shots, from, safety_aims(table, from.cue, plan.escape_directions, plan.pot_strengths));
    play_out(table, shots, played, plan, stop);

    if (shots.empty()) return ComputerShot{positions.empty() ? std::nullopt : positions.front().place, MousePoint{}};
    return as_played(table, positions, steadiest(table, positions, shots, plan, stop), plan.hand);
}
