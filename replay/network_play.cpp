#include "replay/network_play.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>
#include <variant>

#include "app/link_words.h"
#include "app/network_words.h"
#include "input/table_input.h"
#include "match/record_replay.h"
#include "protocol/journal_file.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_address.h"
#include "match/state_line.h"
#include "replay/replay_window.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/mouse.h"

namespace {

constexpr int WAIT_LIMIT_MS = 60'000;
// Passes of the event loop that handle what has arrived before a command; a
// peer that sends without pause cannot hold the driver there.
constexpr int MAX_EVENT_PASSES = 64;
const char* const DRIVER_ADDRESS = "127.0.0.1";

Failure network_failure(const std::string& why)
{
    return Failure{REPLAY_NETWORK_FAILURE, why};
}

// A port names the plain relay on this machine; anything else is read as a
// player types a relay.
std::variant<RelayAddress, Failure> driver_relay(const std::string& relay)
{
    if (std::all_of(relay.begin(), relay.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return RelayAddress{DRIVER_ADDRESS, static_cast<quint16>(std::stoi(relay)), false};
    if (std::optional<RelayAddress> read = read_relay_address(QString::fromStdString(relay))) return *read;
    return Failure{REPLAY_BAD_SCRIPT, "\"" + relay + "\" is not a port or a relay address"};
}

std::string remote_line(const NumberedInput& numbered)
{
    return "{\"remote\":" + json_string(input_text(numbered.input)) + ",\"n\":" + std::to_string(numbered.number)
           + "}";
}

}  // namespace

void NetworkPlay::Hands::move(int x, int y)
{
    PaintBox1MouseMove(table_.view().surface(), x, y);
}

void NetworkPlay::Hands::press(int x, int y)
{
    PaintBox1MouseDown(x, y);
}

void NetworkPlay::Hands::undo()
{
    SpeedButton1Click();
}

void NetworkPlay::Hands::new_game()
{
    Nouvellepartie1Click();
}

NetworkPlay::NetworkPlay(ReplayWindow& table) : table_(table), hands_(table), live_table_(hands_), net_(live_table_)
{
    // The other side's inputs come one `await` at a time, so that what this
    // side prints between two of them does not depend on when lines arrive.
    net_.hold_remote_inputs(true);
    QObject::connect(&net_, &NetworkMatch::input_applied, &net_, [this](const NumberedInput& numbered, Side side) {
        if (side == remote_side())
            remote_inputs_.push_back(numbered);
        else
            own_applied_ = numbered.number;
    });
    QObject::connect(&net_, &NetworkMatch::input_refused, &net_, [this](InputKind kind) {
        lines_.push_back("{\"refused\":\"" + std::string(input_word(kind)) + "\"}");
    });
    QObject::connect(&net_, &NetworkMatch::out_of_step, &net_, [this](uint32_t number) {
        lines_.push_back("{\"out_of_step\":" + std::to_string(number) + "}");
    });
    // The driver agrees to every new game the other side asks for.
    QObject::connect(&net_, &NetworkMatch::new_game_asked, &net_, [this] { net_.answer_new_game(true); });
    QObject::connect(&net_, &NetworkMatch::connection_ended, &net_, [this](EndReason reason) {
        // A lost connection is joined again by itself, unless that gives up.
        if (net_.joining() && !net_.rejoining())
            lost_because_ = end_sentence(net_.remote_name(), reason).toStdString();
    });
    QObject::connect(&net_, &NetworkMatch::join_failed, &net_, [this](const LinkTrouble& why) {
        lost_because_ = "no host answers: " + link_words(why).toStdString();
    });
    QObject::connect(&net_, &NetworkMatch::relay_failed, &net_,
                     [this](const LinkTrouble& why) { relay_trouble_ = link_words(why).toStdString(); });
}

std::optional<Failure> NetworkPlay::handle_arrived()
{
    if (!active()) return std::nullopt;
    // Every event there is, until none is left: a line handled may bring
    // another event (a closed connection's end follows its last bytes).
    QAbstractEventDispatcher* const events = QCoreApplication::eventDispatcher();
    for (int pass = 0; pass < MAX_EVENT_PASSES && events->processEvents(QEventLoop::AllEvents); ++pass) {
    }
    net_.table_changed();
    if (net_.rejoining())
        return wait_until([this] { return !net_.rejoining(); }, "the connection to the host was lost and not "
                                                                "restored within 60 s");
    return lost();
}

std::optional<Failure> NetworkPlay::host(int port, const std::string& name)
{
    if (active()) return network_failure("already in a network match");
    LinkTrouble why;
    if (!net_.host(QHostAddress(DRIVER_ADDRESS), static_cast<quint16>(port), QString::fromStdString(name), why))
        return network_failure("cannot host on " + std::string(DRIVER_ADDRESS) + ":" + std::to_string(port) + ": "
                               + link_words(why).toStdString());
    return await_guest();
}

std::optional<Failure> NetworkPlay::host_relay(const std::string& relay, const std::string& name)
{
    if (active()) return network_failure("already in a network match");
    const std::variant<RelayAddress, Failure> address = driver_relay(relay);
    if (const auto* failure = std::get_if<Failure>(&address)) return *failure;
    relay_trouble_.reset();
    net_.host_relay(std::get<RelayAddress>(address), QString::fromStdString(name));
    return await_relay_code();
}

std::optional<Failure> NetworkPlay::await_relay_code()
{
    // Each code's topics are heard on their own: the line waits for both.
    const auto both_heard = [this] { return !net_.match_code().isEmpty() && !net_.watch_code().isEmpty(); };
    std::optional<Failure> failure =
        wait_until([&] { return both_heard() || relay_trouble_; }, "the relay heard no match within 60 s");
    if (!failure && !both_heard())
        failure = network_failure("cannot host over the relay: " + *relay_trouble_);
    if (failure) {
        net_.leave();
        return failure;
    }
    lines_.push_back("{\"code\":" + json_string(net_.match_code().toStdString())
                     + ",\"watch\":" + json_string(net_.watch_code().toStdString()) + "}");
    return std::nullopt;
}

std::optional<Failure> NetworkPlay::host_resume(const std::string& path)
{
    if (active()) return network_failure("already in a network match");
    const std::variant<HostJournal, JournalFault> read = load_journal(path);
    if (const auto* fault = std::get_if<JournalFault>(&read)) return network_failure("journal: " + fault->text());
    const HostJournal& journal = std::get<HostJournal>(read);
    relay_trouble_.reset();
    net_.keep_journal(path);
    LinkTrouble why;
    if (!net_.resume(journal, QHostAddress(DRIVER_ADDRESS), why))
        return network_failure("cannot resume the match: " + link_words(why).toStdString());
    if (net_.hosting_over_relay())
        if (auto failure = await_relay_code()) return failure;
    lines_.push_back("{\"resumed\":" + std::to_string(journal.last_number()) + "}");
    return std::nullopt;
}

std::optional<Failure> NetworkPlay::await_seat_taken_back()
{
    return wait_until([this] { return net_.connected(); }, "the guest did not come back within 60 s");
}

std::optional<Failure> NetworkPlay::await_guest()
{
    return wait_until([this] { return net_.in_match(); }, "no guest joined within 60 s");
}

std::optional<Failure> NetworkPlay::join(int port, const std::string& name)
{
    return join_at(TcpHost{DRIVER_ADDRESS, static_cast<quint16>(port)}, name);
}

std::optional<Failure> NetworkPlay::join_relay(const std::string& relay, const std::string& code,
                                              const std::string& name)
{
    HostPlace place;
    if (auto failure = relay_place(relay, code, place)) return failure;
    return join_at(place, name);
}

std::optional<Failure> NetworkPlay::watch(int port, const std::string& name)
{
    return join_at(TcpHost{DRIVER_ADDRESS, static_cast<quint16>(port)}, name, true);
}

std::optional<Failure> NetworkPlay::watch_relay(const std::string& relay, const std::string& code,
                                               const std::string& name)
{
    HostPlace place;
    if (auto failure = relay_place(relay, code, place)) return failure;
    return join_at(place, name, true);
}

std::optional<Failure> NetworkPlay::relay_place(const std::string& relay, const std::string& code,
                                               HostPlace& place) const
{
    const std::variant<RelayAddress, Failure> address = driver_relay(relay);
    if (const auto* failure = std::get_if<Failure>(&address)) return *failure;
    const std::optional<QString> read = read_match_code(QString::fromStdString(code));
    if (!read) return network_failure("\"" + code + "\" is not a match code");
    place = RelayMatch{std::get<RelayAddress>(address), *read};
    return std::nullopt;
}

std::optional<Failure> NetworkPlay::join_at(const HostPlace& place, const std::string& name, bool to_watch)
{
    if (active()) return network_failure("already in a network match");
    lost_because_.reset();
    if (to_watch)
        net_.watch(place, QString::fromStdString(name));
    else
        net_.join(place, QString::fromStdString(name));
    return wait_until([this] { return net_.connected(); }, "the host sent no match within 60 s");
}

std::optional<Failure> NetworkPlay::await_remote()
{
    if (!active()) return network_failure("await: not in a network match");
    // Released again while none has come: a guest that joins again meanwhile
    // has a new session, which holds the next input until it is released.
    const auto arrived = [this] {
        if (remote_inputs_.empty()) net_.release_remote_input();
        return !remote_inputs_.empty();
    };
    if (auto failure = wait_until(arrived, "no input from the other side within 60 s")) return failure;
    const NumberedInput next = remote_inputs_.front();
    remote_inputs_.pop_front();
    if (auto failure = wait_until([this, &next] { return agreed(next.number); }, "the host's check did not come"))
        return failure;
    lines_.push_back(remote_line(next));
    return std::nullopt;
}

void NetworkPlay::leave()
{
    net_.leave();
    remote_inputs_.clear();
    lost_because_.reset();
}

// A watcher's mouse moves no cue: the players' aims do.
void NetworkPlay::move(int x, int y)
{
    if (net_.watching()) return;
    if (PaintBox1MouseMove(table_.view().surface(), x, y)) net_.aim(x, y);
}

// A press with the cue ball off the table places it; any other is this
// table's own, as without a match.
std::optional<Failure> NetworkPlay::press(int x, int y)
{
    if (cue_ball_in_hand(game)) return play(Input{InputKind::place, x, y});
    // A watcher's press would shoot: it is refused as a shot.
    if (net_.watching()) return play(Input{InputKind::shot, x, y});
    PaintBox1MouseDown(x, y);
    return std::nullopt;
}

std::optional<Failure> NetworkPlay::shot(int x, int y)
{
    if (!settle(table_)) return Failure{REPLAY_NO_REST, "settle did not come to rest"};
    if (auto failure = play(Input{InputKind::shot, x, y})) return failure;
    if (!settle(table_)) return Failure{REPLAY_NO_REST, "settle did not come to rest"};
    return std::nullopt;
}

// Waits until the input has been played or refused, and, once played, until
// the table has settled after it and the guest's agrees with the host's.
std::optional<Failure> NetworkPlay::play(const Input& input)
{
    // A new game needs the guest's agreement: a host without one waits for a guest to join again.
    if (input.kind == InputKind::new_game && net_.hosting())
        if (auto failure = wait_until([this] { return net_.connected(); }, "no guest joined again within 60 s"))
            return failure;
    own_applied_.reset();
    net_.play(input);
    if (auto failure = wait_until([this] { return !net_.own_input_waiting(); }, "no answer within 60 s"))
        return failure;
    if (!own_applied_) return std::nullopt;
    return wait_until([this] { return agreed(*own_applied_); }, "the host's check did not come");
}

// Lets the network and the table go on until `done`: the table's time to let
// it settle, the network's for at most a minute of wall time.
std::optional<Failure> NetworkPlay::wait_until(const std::function<bool()>& done, const std::string& what)
{
    const QDeadlineTimer deadline(WAIT_LIMIT_MS);
    for (;;) {
        net_.table_changed();
        if (auto failure = lost()) return failure;
        if (done()) return std::nullopt;
        if (deadline.hasExpired()) return network_failure(what);
        if (!table_settled()) {
            if (!settle(table_)) return Failure{REPLAY_NO_REST, "settle did not come to rest"};
        } else {
            // The match's upkeep ticks every 50 ms, so this returns by then at the latest.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
}

std::optional<Failure> NetworkPlay::lost() const
{
    if (!net_.joining() || !lost_because_) return std::nullopt;
    return network_failure(*lost_because_);
}

bool NetworkPlay::agreed(uint32_t number) const
{
    return table_settled() && (net_.hosting() || net_.agreed_through() >= number);
}
