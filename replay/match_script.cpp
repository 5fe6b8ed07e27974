#include "replay/match_script.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "replay/pixels_line.h"
#include "replay/computer_turn.h"
#include "replay/network_play.h"
#include "replay/script_feed.h"
#include "replay/replay_window.h"
#include "replay/run_failure.h"
#include "match/script.h"
#include "match/record_replay.h"
#include "match/state_line.h"
#include "match/series_count.h"
#include "rules/random.h"
#include "rules/supervisor.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/mouse.h"

namespace {

std::optional<Failure> settle_or_fail(ReplayWindow& table)
{
    if (settle(table)) return std::nullopt;
    return Failure{REPLAY_NO_REST, "settle did not come to rest"};
}

std::optional<Failure> shoot(ReplayWindow& table, int X, int Y)
{
    if (auto failure = settle_or_fail(table)) return failure;
    PaintBox1MouseMove(table.view().surface(), X, Y);
    PaintBox1MouseDown(X, Y);
    return settle_or_fail(table);
}

// Each line goes out at once, so that a program driving the driver sees it
// before it sends the next command.
std::optional<Failure> print(std::ostream& out, const std::string& line)
{
    out << line << '\n' << std::flush;
    if (out) return std::nullopt;
    return Failure{REPLAY_IO_FAILURE, "standard output cannot be written"};
}

void report(std::ostream& errors, long line_number, const std::string& message)
{
    errors << "line " << line_number << ": " << message << '\n';
}

std::optional<Failure> computer_plays(ReplayWindow& table, ComputerLevel level, std::ostream& states)
{
    if (auto failure = settle_or_fail(table)) return failure;
    const std::optional<ComputerShot> shot = play_computer_turn(table, level);
    if (auto failure = print(states, computer_line(level, shot))) return failure;
    if (!shot) return std::nullopt;
    return settle_or_fail(table);
}

// A rack decided at this table outside a network match counts before a new one replaces it.
void look_at_rack(SeriesCount& series, const ReplayWindow& table)
{
    series.rack_looked_at(winner_of(game, table.status_line()));
}

std::string score_line(const SeriesCount& series)
{
    return "{\"score\":[" + std::to_string(series.won_by(1)) + "," + std::to_string(series.won_by(2)) + "]}";
}

std::optional<Failure> print_all(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (auto failure = print(out, line)) return failure;
    return std::nullopt;
}

// This side's inputs, which go to the other side while a network match lasts.
bool is_network_input(CommandKind kind)
{
    return kind == CommandKind::move || kind == CommandKind::press || kind == CommandKind::shot
           || kind == CommandKind::undo || kind == CommandKind::new_game;
}

std::optional<Failure> run_network_input(const ScriptCommand& command, NetworkPlay& network)
{
    switch (command.kind) {
    case CommandKind::move: network.move(command.x, command.y); return std::nullopt;
    case CommandKind::press: return network.press(command.x, command.y);
    case CommandKind::shot: return network.shot(command.x, command.y);
    case CommandKind::undo: return network.play(Input{InputKind::undo});
    default: return network.play(Input{InputKind::new_game});
    }
}

// The code goes out before the wait for a guest, who needs it to join.
std::optional<Failure> host_relay(const ScriptCommand& command, NetworkPlay& network, std::ostream& states)
{
    if (auto failure = network.host_relay(command.relay, command.name)) return failure;
    if (auto failure = print_all(states, network.take_lines())) return failure;
    return network.await_guest();
}

// The code and the resumed line go out before the wait for the guest to come back.
std::optional<Failure> host_resume(const ScriptCommand& command, NetworkPlay& network, std::ostream& states)
{
    if (auto failure = network.host_resume(command.path)) return failure;
    if (auto failure = print_all(states, network.take_lines())) return failure;
    return network.await_seat_taken_back();
}

std::optional<Failure> run(const ScriptCommand& command, ReplayWindow& table, NetworkPlay& network,
                           SeriesCount& local_series, std::ostream& states)
{
    if (network.active() && is_network_input(command.kind)) return run_network_input(command, network);
    switch (command.kind) {
    case CommandKind::nothing: break;
    case CommandKind::move: PaintBox1MouseMove(table.view().surface(), command.x, command.y); break;
    case CommandKind::press: PaintBox1MouseDown(command.x, command.y); break;
    case CommandKind::wait: table.wait(command.milliseconds); break;
    case CommandKind::settle: return settle_or_fail(table);
    case CommandKind::shot: return shoot(table, command.x, command.y);
    case CommandKind::undo: SpeedButton1Click(); break;
    case CommandKind::new_game:
        look_at_rack(local_series, table);
        Nouvellepartie1Click();
        local_series.new_rack();
        break;
    case CommandKind::state: return print(states, state_line(table.now()));
    case CommandKind::pixels: return print(states, pixels_line(table.view().back_buffer(), table.view().surface()));
    case CommandKind::computer: return computer_plays(table, ComputerLevel{command.level}, states);
    case CommandKind::praise: set_praise_state(command.praise_state); break;
    case CommandKind::host: return network.host(command.port, command.name);
    case CommandKind::join: return network.join(command.port, command.name);
    case CommandKind::host_relay: return host_relay(command, network, states);
    case CommandKind::join_relay: return network.join_relay(command.relay, command.code, command.name);
    case CommandKind::journal: network.keep_journal(command.path); break;
    case CommandKind::host_resume: return host_resume(command, network, states);
    case CommandKind::watch: return network.watch(command.port, command.name);
    case CommandKind::watch_relay: return network.watch_relay(command.relay, command.code, command.name);
    case CommandKind::await: return network.await_remote();
    case CommandKind::leave: network.leave(); break;
    case CommandKind::score:
        if (network.active()) return print(states, score_line(network.series()));
        look_at_rack(local_series, table);
        return print(states, score_line(local_series));
    case CommandKind::invalid: return Failure{REPLAY_BAD_SCRIPT, command.error};
    }
    return std::nullopt;
}

}  // namespace

ReplayStatus play_script(std::istream& script, std::ostream& states, std::ostream& errors,
                         ReplayWindow& table)
{
    long number = 1;
    NetworkPlay network(table);
    SeriesCount local_series;
    ScriptFeed feed(script);
    for (std::optional<std::string> line; (line = feed.next_line(network.active())); ++number) {
        const std::string_view text = number == 1 ? without_byte_order_mark(*line) : *line;
        std::optional<Failure> failure = network.handle_arrived();
        if (!failure) failure = run(parse_script_line(text), table, network, local_series, states);
        if (const std::optional<Failure> printed = print_all(states, network.take_lines()); printed && !failure)
            failure = printed;
        // The game shows its message box at once and goes on; so does the driver.
        if (const QString why = table.take_picture_error(); !why.isEmpty()) report(errors, number, why.toStdString());
        if (failure) {
            report(errors, number, failure->message);
            return failure->status;
        }
    }
    if (feed.failed()) {
        report(errors, number, "standard input cannot be read");
        return REPLAY_IO_FAILURE;
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
        errors << "corvenne-replay: " << table.take_picture_error().toStdString() << '\n';
    attach_window(nullptr);
    return status;
}
