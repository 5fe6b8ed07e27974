#include "match/record_replay.h"

#include <optional>

#include "match/table_check.h"
#include "match/script.h"
#include "rules/game_wiring.h"
#include "rules/random.h"
#include "rules/supervisor.h"
#include "rules/undo.h"
#include "sim/ball_drawing.h"
#include "sim/headless_window.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/window.h"
#include "input/table_input.h"

namespace {

// The driver's settle gives up after ten minutes of virtual time.
constexpr int MAX_SUPERVISOR_TICKS = 600'000 / timer_interval_ms(Timer2);
constexpr int SIMULATION_TICKS_PER_SUPERVISOR_TICK = timer_interval_ms(Timer2) / timer_interval_ms(Timer1);

// One supervisor period as the timers run it: the simulation timer, when the
// supervisor started it, ticks ten times, its last tick due with the
// supervisor's and running first. The banner's ticks only draw.
void supervisor_period()
{
    if (window().timer_on(Timer1))
        for (int k = 0; k < SIMULATION_TICKS_PER_SUPERVISOR_TICK; ++k) tick_handler(Timer1)();
    tick_handler(Timer2)();
}

// As the driver's settle: at least one period, then until the table settles.
bool settle()
{
    for (int tick = 0; tick < MAX_SUPERVISOR_TICKS; ++tick) {
        supervisor_period();
        if (table_settled()) return true;
    }
    return false;
}

std::string refused_press(PressEffect effect)
{
    switch (effect) {
    case PressEffect::none: return game.game_over ? "the game is over" : "the table is not ready";
    case PressEffect::placement_tried: return "the cue ball is off the table and must be placed first";
    case PressEffect::shot_launched: return "the cue ball is on the table, so the press shoots";
    }
    return {};
}

std::string shoot(int x, int y)
{
    constexpr std::string_view NO_REST = "the balls never came to rest";
    if (!settle()) return std::string(NO_REST);
    move_over_table(x, y);
    const PressEffect effect = press_on_table(x, y);
    if (effect != PressEffect::shot_launched) return refused_press(effect);
    return settle() ? std::string() : std::string(NO_REST);
}

std::string place(int x, int y)
{
    const PressEffect effect = press_on_table(x, y);
    return effect == PressEffect::placement_tried ? std::string() : refused_press(effect);
}

std::string take_back()
{
    if (!undo_available()) return "there is no shot to take back";
    SpeedButton1Click();
    return {};
}

// The command word of a line that reads as a command.
std::string first_word(std::string_view line)
{
    constexpr std::string_view BLANKS = " \t\r\v\f";
    const size_t start = line.find_first_not_of(BLANKS);
    return std::string(line.substr(start, line.find_first_of(BLANKS, start) - start));
}

// The commands a record holds: a shot, a placing press, an undo.
bool is_match_input(CommandKind kind)
{
    return kind == CommandKind::shot || kind == CommandKind::press || kind == CommandKind::undo;
}

// Empty when the input did what it does in a match.
std::string refusal_of(const ScriptCommand& input)
{
    switch (input.kind) {
    case CommandKind::shot: return shoot(input.x, input.y);
    case CommandKind::press: return place(input.x, input.y);
    case CommandKind::undo: return take_back();
    default: return {};
    }
}

// While it lives, this thread's game plays on a table of its own with a
// window that draws nothing; the live game, its praise generator and its
// window come back when it goes, whatever happened meanwhile.
class ScratchTable {
public:
    ScratchTable() : live_game_(game), live_praise_(praise_state()), live_window_(window())
    {
        attach_window(&scratch_window_);
    }
    ~ScratchTable()
    {
        game = live_game_;
        set_praise_state(live_praise_);
        attach_window(&live_window_);
    }
    ScratchTable(const ScratchTable&) = delete;
    ScratchTable& operator=(const ScratchTable&) = delete;

    TableSnapshot snapshot() const
    {
        TableSnapshot table{game, praise_state(), scratch_window_.status_line(), {}, table_check_hash()};
        for (TimerId t : ALL_TIMERS) table.timers_on[timer_index(t)] = scratch_window_.timer_on(t);
        return table;
    }

private:
    const GameState live_game_;
    const uint32_t live_praise_;
    Window& live_window_;
    HeadlessWindow scratch_window_;
};

// The driver's start: the first rack of a fresh process.
void set_up_fresh_rack(uint32_t praise)
{
    game = GameState{};
    set_up_first_rack();
    set_praise_state(praise);
}

// The inputs of one rack; a fault's index counts from `first_index`.
std::optional<ReplayFault> play_rack(const std::vector<std::string>& inputs, size_t first_index,
                                     const std::function<void(size_t)>& before_input = {})
{
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (before_input) before_input(i);
        std::string refusal = play_match_input(inputs[i]);
        if (!refusal.empty()) return ReplayFault{first_index + i, std::move(refusal)};
    }
    return std::nullopt;
}

// "New game" on the table the last rack left, as the window plays it, with
// the praise generator as the new rack was set up.
void start_next_rack(uint32_t praise, const std::function<void(int)>& rack_replaced)
{
    if (rack_replaced) rack_replaced(winner_of(game, window().status_line()));
    Nouvellepartie1Click();
    set_praise_state(praise);
}

}  // namespace

std::string play_match_input(std::string_view input)
{
    const ScriptCommand command = parse_script_line(input);
    if (command.kind == CommandKind::invalid) return command.error;
    if (command.kind == CommandKind::nothing) return "a blank line or a comment is not an input";
    const std::string word = first_word(input);
    if (!is_match_input(command.kind)) return '"' + word + "\" is not an input of a match";
    const std::string refusal = refusal_of(command);
    return refusal.empty() ? refusal : word + ": " + refusal;
}

std::variant<TableSnapshot, ReplayFault> replay_record(const MatchRecord& record,
                                                       const std::function<void(size_t)>& before_input)
{
    const ScratchTable scratch;
    set_up_fresh_rack(record.praise_at_rack);
    if (std::optional<ReplayFault> fault = play_rack(record.inputs, 0, before_input)) return *std::move(fault);
    return scratch.snapshot();
}

std::variant<TableSnapshot, ReplayFault> replay_match(const EarlierRacks& earlier_racks, const MatchRecord& record,
                                                      const std::function<void(int)>& rack_replaced)
{
    const ScratchTable scratch;
    size_t played = 0;  // the inputs before the rack, with the new game that ended each earlier one
    for (size_t r = 0; r <= earlier_racks.size(); ++r) {
        const MatchRecord& rack = r < earlier_racks.size() ? earlier_racks[r] : record;
        if (r == 0)
            set_up_fresh_rack(rack.praise_at_rack);
        else
            start_next_rack(rack.praise_at_rack, rack_replaced);
        if (std::optional<ReplayFault> fault = play_rack(rack.inputs, played)) return *std::move(fault);
        played += rack.inputs.size() + 1;
    }
    return scratch.snapshot();
}

void take_over_table(const TableSnapshot& table)
{
    game = table.game;
    set_praise_state(table.praise_state);
    Window& w = window();
    w.set_status_line(table.status_line);
    for (TimerId t : ALL_TIMERS) w.set_timer(t, table.timers_on[timer_index(t)]);
    // Nothing on the screen belongs to the new table: no cue, no ball.
    game.skip_cue_restore = true;
    w.reset_back_buffer();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    w.repaint_main_window();
    noms_joueurs();
}

bool table_settled()
{
    return !window().timer_on(Timer1) && balls_at_rest() && game.shot_evaluated && game.aiming_enabled;
}
