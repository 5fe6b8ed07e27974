#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "match/series_count.h"
#include "protocol/audience.h"
#include "protocol/host_journal.h"
#include "protocol/input_rules.h"
#include "protocol/match_keeper.h"
#include "protocol/match_session.h"
#include "protocol/session_link.h"

// The host's side of a network match, for as long as its player hosts. It
// answers each connection's opening line when it is read, seats one guest at
// a time, lets that guest take its seat back over a new connection, numbers
// every input that changes the game, its own player's and the guest's, judges
// each against its own table once that has settled, and keeps the current
// rack's inputs for a guest who joins again. Up to 32 watchers see the match
// as the guest does, read-only. Plain logic: the owner carries the lines to and from the guest's
// connection and tells it the time, in monotonic milliseconds.
class HostSession : public MatchSession {
public:
    HostSession(MatchTable& table, std::string name);

    // A new connection's opening line, judged when it is read, whatever this
    // side's player is doing: nothing when it takes the seat (the seat is
    // free, or the line carries the seat's token) or comes to watch and
    // there is room, else the goodbye it gets.
    std::optional<ByeReason> answer_opening(std::string_view first_line) const;
    // The seated guest's connection ends with `bye replaced`, to make way for
    // the connection that takes the seat back. Its output is the old connection's.
    void replace_guest();
    // The connection whose opening was answered with nothing takes the free
    // seat: welcome and a new seat's token at once, the match so far once the
    // table has come to rest after the last input.
    void seat(std::string_view first_line, int64_t now);
    // What keeps the match as it is played (none when null).
    void keep_with(MatchKeeper* keeper) { keeper_ = keeper; }
    // Takes up the match a journal kept: its current rack set up on the
    // table, the seat free for the guest with the journal's token, numbering
    // on from its last input. False, with the table as it was, when the rack
    // does not play as it did.
    bool resume(const HostJournal& journal);
    void receive(std::string_view line, int64_t now) override;
    void receive_malformed() override;
    void connection_closed() override;
    void pump(int64_t now) override;

    // A new game is asked for, and played once the guest agrees.
    void play(const Input& input) override;
    void aim(int x, int y, int64_t now) override;
    void pace_aims(int per_second) override
    {
        link_.pace_aims(per_second);
        audience_.pace_aims(per_second);
    }
    void answer_new_game(bool agreed) override;
    void leave() override;
    // The guest's inputs that would be taken wait, unless one of this side's
    // own waits behind them. Refusals and answers go on.
    void hold_remote_inputs(bool hold) override { holding_ = hold; }
    void release_remote_input() override;

    // A connection whose `watch` opening was answered with nothing, by the
    // name its owner knows it by: welcomed at once, the match so far once the
    // table has come to rest after the last input.
    void admit_watcher(Audience::WatcherId id, int64_t now);
    void receive_from_watcher(Audience::WatcherId id, std::string_view line, int64_t now);
    // The watcher's connection ended, broke its framing, or left too much
    // unread: it is forgotten, told why when `say` is given.
    void drop_watcher(Audience::WatcherId id, std::optional<ByeReason> say);
    std::size_t watchers() const { return audience_.size(); }
    std::vector<std::pair<Audience::WatcherId, SessionOutput>> take_watcher_output() { return audience_.take_output(); }

    SessionOutput take_output() override { return link_.take_output(); }
    // Whether the guest is there or not.
    bool remote_has_cue() const override;
    bool own_input_waiting() const override;
    bool own_new_game_asked() const override { return host_asked_new_ && !guest_asked_new_; }

    // Since the first guest joined, the table is the network match's.
    bool match_started() const { return match_started_; }
    bool seat_free() const { return !seated_; }
    bool guest_seated() const { return seated_; }
    const std::string& guest_name() const { return guest_name_; }
    const SeriesCount& series() const { return series_; }

private:
    // An input in the order it came in, or the guest's sync? when `input` is empty.
    struct Waiting {
        Side side = Side::host;
        std::optional<Input> input;
    };

    void receive_in_match(const Message& message, int64_t now);
    void receive_aim(const Aim& aim, int64_t now);
    void start_rack_record();
    bool last_input_checked() const;
    // What a joining guest or watcher is sent, from the series to the last check.
    std::vector<Message> match_so_far() const;
    void send_match_when_checked();
    void answer_watchers_when_settled();
    void count_watchers(std::size_t before);
    void queue_from_guest(std::optional<Input> input);
    void guest_asks_new_game();
    void guest_agrees_new_game();
    void guest_declines(InputKind kind);
    void take_waiting();
    bool held_back(const Waiting& next) const;
    void judge(const Waiting& waiting);
    void refuse(Side side, InputKind kind);
    void number_and_apply(const Input& input, Side side);
    void send_check_when_settled();
    void drop_guest(EndReason why, std::optional<ByeReason> say);

    MatchTable& table_;
    std::string name_;
    std::string guest_name_;
    SessionLink link_;
    Audience audience_;
    bool seated_ = false;
    // Drawn anew at every seating, so that an opening seen on the way takes
    // nothing once its guest has been seated again; forgotten when it leaves.
    std::optional<std::string> seat_token_;
    // The seated guest gets the match once the table shows how the last input ended.
    bool match_owed_ = false;
    SeriesCount series_;
    bool match_started_ = false;
    uint32_t last_number_ = 0;
    uint32_t praise_at_rack_ = 0;
    std::vector<NumberedInput> rack_inputs_;
    std::optional<Check> last_check_;
    std::deque<Waiting> waiting_;
    bool host_asked_new_ = false;
    bool guest_asked_new_ = false;
    LastShooter last_shooter_;
    bool holding_ = false;
    bool released_ = false;
    MatchKeeper* keeper_ = nullptr;
};

// The opening line is `watch`.
bool opens_to_watch(std::string_view first_line);

// A seat's token: 16 lower-case hex digits from the system's cryptographic random source.
std::string draw_seat_token();
