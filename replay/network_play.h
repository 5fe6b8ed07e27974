#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "live_table/live_table.h"
#include "net/network_match.h"
#include "replay/run_failure.h"

class ReplayWindow;

// The driver's side of a network match on 127.0.0.1, directly or over a
// relay there: `host`, `join`, `watch`, their relay forms, `await`, `leave`,
// and this side's inputs while the match lasts, each
// waiting at most a minute of wall time for the other side. The table's time
// goes on only to let it settle. The lines it has to print (remote inputs,
// refusals, tables out of step) are taken after each command.
class NetworkPlay {
public:
    explicit NetworkPlay(ReplayWindow& table);

    // Between `host` or `join` and `leave`, or a guest's lost connection.
    bool active() const { return net_.hosting() || net_.joining(); }

    // Every protocol line that has arrived. A guest whose connection was lost
    // waits until joining again by itself has restored it; a guest's lost
    // match is a failure.
    std::optional<Failure> handle_arrived();
    std::optional<Failure> host(int port, const std::string& name);
    std::optional<Failure> join(int port, const std::string& name);
    // Hosts over the relay and waits until it hears the match; the code line
    // is then among the lines to print, and await_guest() follows. A relay
    // is the port of the plain relay at 127.0.0.1, or an address as a player
    // types it.
    std::optional<Failure> host_relay(const std::string& relay, const std::string& name);
    std::optional<Failure> await_guest();
    // The match hosted next is kept in a journal at `path`.
    void keep_journal(const std::string& path) { net_.keep_journal(path); }
    // Hosts again the match whose journal is at `path`; its code line, over
    // a relay, and the resumed line are then among the lines to print, and
    // await_seat_taken_back() follows.
    std::optional<Failure> host_resume(const std::string& path);
    std::optional<Failure> await_seat_taken_back();
    std::optional<Failure> join_relay(const std::string& relay, const std::string& code, const std::string& name);
    // Watches as a guest joins, playing nothing: this side's inputs are refused.
    std::optional<Failure> watch(int port, const std::string& name);
    std::optional<Failure> watch_relay(const std::string& relay, const std::string& code, const std::string& name);
    std::optional<Failure> await_remote();
    void leave();

    void move(int x, int y);
    std::optional<Failure> press(int x, int y);
    std::optional<Failure> shot(int x, int y);
    std::optional<Failure> play(const Input& input);

    SeriesCount series() const { return net_.series(); }

    std::vector<std::string> take_lines() { return std::exchange(lines_, {}); }

private:
    // The driver's own handlers, on its own window.
    class Hands : public TableHands {
    public:
        explicit Hands(ReplayWindow& table) : table_(table) {}
        void move(int x, int y) override;
        void press(int x, int y) override;
        void undo() override;
        void new_game() override;

    private:
        ReplayWindow& table_;
    };

    std::optional<Failure> join_at(const HostPlace& place, const std::string& name, bool to_watch = false);
    std::optional<Failure> relay_place(const std::string& relay, const std::string& code, HostPlace& place) const;
    // Once the relay has heard the hosted match, its code line is to be printed.
    std::optional<Failure> await_relay_code();
    std::optional<Failure> wait_until(const std::function<bool()>& done, const std::string& what);
    std::optional<Failure> lost() const;
    // The guest's table has settled and agrees with the host's up to `number`.
    bool agreed(uint32_t number) const;
    Side remote_side() const { return net_.hosting() ? Side::guest : Side::host; }

    ReplayWindow& table_;
    Hands hands_;
    LiveTable live_table_;
    NetworkMatch net_;
    std::deque<NumberedInput> remote_inputs_;
    std::optional<uint32_t> own_applied_;
    std::optional<std::string> lost_because_;
    std::optional<std::string> relay_trouble_;
    std::vector<std::string> lines_;
};
