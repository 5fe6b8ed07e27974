#include "replay/match_script.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "replay/pixels_line.h"
#include "replay/computer_turn.h"
#include "replay/replay_window.h"
#include "replay/script.h"
#include "replay/state_line.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "view/mouse.h"

namespace {

constexpr int SETTLE_STEP_MS = 100;
constexpr int64_t SETTLE_LIMIT_MS = 600'000;

struct Failure {
    ReplayStatus status;
    std::string message;
};

bool at_rest_and_judged(const ReplayWindow& table)
{
    return !table.timer_on(Timer1) && balls_at_rest() && game.shot_evaluated && game.aiming_enabled;
}

std::optional<Failure> settle_or_fail(ReplayWindow& table)
{
    if (settle(table)) return std::nullopt;
    return Failure{REPLAY_NO_REST, "settle did not come to rest"};
}

std::optional<Failure> shoot(ReplayWindow& table, int X, int Y)
{
    if (auto failure = settle_or_fail(table)) return failure;
    PaintBox1MouseMove(table.screen(), X, Y);
    PaintBox1MouseDown(table.screen(), X, Y);
    return settle_or_fail(table);
}

std::optional<Failure> computer_plays(ReplayWindow& table, ComputerLevel level, std::ostream& states)
{
    if (auto failure = settle_or_fail(table)) return failure;
    const std::optional<ComputerShot> shot = play_computer_turn(table, level);
    states << computer_line(level, shot) << '\n';
    if (!shot) return std::nullopt;
    return settle_or_fail(table);
}

std::optional<Failure> run(const ScriptCommand& command, ReplayWindow& table, std::ostream& states)
{
    switch (command.kind) {
    case CommandKind::nothing: break;
    case CommandKind::move: PaintBox1MouseMove(table.screen(), command.x, command.y); break;
    case CommandKind::press: PaintBox1MouseDown(table.screen(), command.x, command.y); break;
    case CommandKind::wait: table.wait(command.milliseconds); break;
    case CommandKind::settle: return settle_or_fail(table);
    case CommandKind::shot: return shoot(table, command.x, command.y);
    case CommandKind::undo: SpeedButton1Click(); break;
    case CommandKind::new_game: Nouvellepartie1Click(); break;
    case CommandKind::state: states << state_line(table.now()) << '\n'; break;
    case CommandKind::pixels: states << pixels_line(table.back_buffer(), table.screen()) << '\n'; break;
    case CommandKind::computer: return computer_plays(table, ComputerLevel{command.level}, states);
    case CommandKind::invalid: return Failure{REPLAY_BAD_SCRIPT, command.error};
    }
    return std::nullopt;
}

}  // namespace

bool settle(ReplayWindow& table)
{
    for (int64_t waited = 0; waited < SETTLE_LIMIT_MS; waited += SETTLE_STEP_MS) {
        table.wait(SETTLE_STEP_MS);
        if (at_rest_and_judged(table)) return true;
    }
    return false;
}

ReplayStatus play_script(std::istream& script, std::ostream& states, std::ostream& errors,
                         ReplayWindow& table)
{
    std::string line;
    for (long number = 1; std::getline(script, line); ++number) {
        if (const std::optional<Failure> failure = run(parse_script_line(line), table, states)) {
            errors << "line " << number << ": " << failure->message << '\n';
            return failure->status;
        }
    }
    return REPLAY_DONE;
}

ReplayStatus run_replay(std::istream& script, std::ostream& states, std::ostream& errors)
{
    ReplayWindow table;
    attach_window(&table);
    ReplayStatus status = REPLAY_NO_TABLE_PICTURE;
    if (set_up_first_rack())
        status = play_script(script, states, errors, table);
    else
        errors << "corvenne-replay: " << table.picture_error().toStdString() << '\n';
    attach_window(nullptr);
    return status;
}
