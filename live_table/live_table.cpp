#include "live_table/live_table.h"

#include "live_table/table_adoption.h"
#include "match/state_line_reader.h"
#include "match/table_check.h"
#include "rules/random.h"
#include "rules/supervisor.h"
#include "rules/undo.h"
#include "sim/variables.h"
#include "sim/window.h"

TableFacts LiveTable::facts() const
{
    return TableFacts{game.current_player, game.game_over, game.balls[CUE_BALL].state != BALL_OFF_TABLE,
                      undo_available(), winner_of(game, window().status_line())};
}

void LiveTable::apply(const Input& input)
{
    switch (input.kind) {
    case InputKind::shot:
        hands_.move(input.x, input.y);
        hands_.press(input.x, input.y);
        break;
    case InputKind::place: hands_.press(input.x, input.y); break;
    case InputKind::undo: hands_.undo(); break;
    case InputKind::new_game: hands_.new_game(); break;
    }
}

namespace {

// An input as a match record writes it: a placement is the press it is.
std::string record_line(const Input& input)
{
    if (input.kind != InputKind::place) return input_text(input);
    return "press " + std::to_string(input.x) + " " + std::to_string(input.y);
}

}  // namespace

// Played away from the live table as a match file is, then taken over whole.
bool LiveTable::catch_up(uint32_t praise, const std::vector<Input>& inputs)
{
    MatchRecord record{praise, {}};
    for (const Input& input : inputs) {
        if (input.kind == InputKind::new_game) return false;
        record.inputs.push_back(record_line(input));
    }
    const auto replayed = replay_record(record);
    const auto* table = std::get_if<TableSnapshot>(&replayed);
    if (!table) return false;
    hands_.take_over(record, *table);
    return true;
}

uint32_t LiveTable::praise() const
{
    return praise_state();
}

void LiveTable::set_praise(uint32_t praise)
{
    set_praise_state(praise);
}

std::string LiveTable::check_hash() const
{
    return table_check_hash();
}

std::string LiveTable::state_without_time() const
{
    return table_state_without_time();
}

bool LiveTable::adopt(std::string_view state, uint32_t praise)
{
    const std::optional<StateLine> line = read_state_line(state);
    if (!line) return false;
    adopt_state_line(*line, praise);
    return true;
}
