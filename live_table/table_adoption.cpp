#include "live_table/table_adoption.h"

#include "match/record_replay.h"
#include "rules/player_rules.h"
#include "rules/supervisor.h"
#include "sim/variables.h"

namespace {

void take_balls(const StateLine& state, GameState& table)
{
    for (int i = 1; i <= BALL_COUNT; ++i) {
        const BallLine& line = state.balls[static_cast<std::size_t>(i - 1)];
        BallRecord& ball = table.balls[i];
        ball.x = ball.prev_x = line.x;
        ball.y = ball.prev_y = line.y;
        ball.vx = line.vx;
        ball.vy = line.vy;
        ball.state = line.state;
        ball.colour = colour_of_ball(i);
    }
}

void take_players(const StateLine& state, GameState& table)
{
    for (int p = 1; p <= 2; ++p)
        take_player_rules(table.players[p], state.players[static_cast<std::size_t>(p - 1)]);
    table.current_player = state.current_player;
    table.previous_player = state.previous_player;
}

}  // namespace

void adopt_state_line(const StateLine& state, uint32_t praise)
{
    TableSnapshot table{game, praise, state.status, state.timers, {}};
    take_balls(state, table.game);
    take_players(state, table.game);
    table.game.outcome = state.outcome;
    table.game.game_over = state.game_over;
    if (state.game_over) table.game.end_text = END_OF_GAME;
    table.game.aiming_enabled = state.aiming_enabled;
    table.game.shot_evaluated = state.shot_evaluated;
    table.game.first_contact_seen = state.first_contact_seen;
    table.game.shot_launched_this_game = false;
    take_over_table(table);
}
