#include "opponent/shot_trial.h"

#include "rules/outcome.h"
#include "rules/supervisor.h"
#include "sim/shot_to_rest.h"
#include "input/table_input.h"

namespace {

// The longest shot comes to rest within about thirty supervisor ticks.
constexpr int SUPERVISOR_TICK_LIMIT = 100;

bool place_and_launch(const ComputerShot& shot)
{
    if (shot.place) {
        if (press_on_table(shot.place->x, shot.place->y) != PressEffect::placement_tried) return false;
        if (game.balls[CUE_BALL].state == BALL_OFF_TABLE) return false;
    }
    if (!move_over_table(shot.aim.x, shot.aim.y)) return false;
    return press_on_table(shot.aim.x, shot.aim.y) == PressEffect::shot_launched;
}

int balls_of_group_potted(const GameState& before, int32_t group)
{
    int potted = 0;
    for (int i = BLACK_BALL + 1; i <= BALL_COUNT; ++i) {
        const bool was_on = before.balls[i].state != BALL_OFF_TABLE;
        if (was_on && game.balls[i].state == BALL_OFF_TABLE && game.balls[i].colour == group) ++potted;
    }
    return potted;
}

}  // namespace

ShotTrial play_trial(const GameState& table, const ComputerShot& shot)
{
    game = table;
    ShotTrial trial;
    const int shooter = game.current_player;
    if (!place_and_launch(shot) || !run_shot_to_rest(SUPERVISOR_TICK_LIMIT)) return trial;
    trial.played = true;
    trial.judged = judge_finished_shot();
    trial.game_over = game.game_over;
    trial.won = trial.judged == BLACK_POTTED_TO_WIN;
    trial.foul = trial.judged >= CUE_BALL_POTTED;
    trial.turn_kept = !trial.game_over && game.current_player == shooter;
    trial.own_balls_potted = balls_of_group_potted(table, game.players[shooter].group);
    return trial;
}
