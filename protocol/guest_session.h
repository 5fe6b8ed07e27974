#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "match/series_count.h"
#include "protocol/input_rules.h"
#include "protocol/match_session.h"
#include "protocol/session_link.h"

// The guest's side of one connection to a host. It opens with hello, or with
// again and the seat's token it was given, catches up with the match so far,
// then applies the host's numbered inputs in order, each once its table has
// settled, compares the tables after each, and asks for the host's table
// when they differ. Its own player's inputs go to the
// host and take effect when they come back numbered. Plain logic: the owner
// carries the lines and tells it the time, in monotonic milliseconds. A
// guest who joins again does so with a new session on the same table.
//
// A watcher is a guest that opens with watch and plays nothing: it applies
// every numbered input, whoever played it, shows both players' aims, hears
// who holds the guest's seat, and sends only pings, sync? and its goodbye.
class GuestSession : public MatchSession {
public:
    enum class Role : uint8_t { player, watcher };

    // With the seat's token of an earlier connection, it takes that seat back;
    // the series counted so far stands until the host's count comes.
    GuestSession(MatchTable& table, std::string name, std::optional<std::string> seat_token = std::nullopt,
                 SeriesCount series = {}, Role role = Role::player);

    // The connection to the host stands: sends hello, watch, or again with
    // the token, and nothing else until the host answers.
    void connected(int64_t now);
    void receive(std::string_view line, int64_t now) override;
    void receive_malformed() override;
    void connection_closed() override;
    void pump(int64_t now) override;

    // Nothing is sent before the match stands or while an earlier input is
    // still unanswered. A new game is asked for.
    void play(const Input& input) override;
    void aim(int x, int y, int64_t now) override;
    void pace_aims(int per_second) override { link_.pace_aims(per_second); }
    void answer_new_game(bool agreed) override;
    void leave() override;
    // The host's inputs wait, unless this side's own input has come back
    // numbered after them.
    void hold_remote_inputs(bool hold) override { holding_ = hold; }
    void release_remote_input() override;

    SessionOutput take_output() override { return link_.take_output(); }
    bool remote_has_cue() const override;
    bool own_input_waiting() const override { return own_waiting_.has_value(); }
    bool own_new_game_asked() const override { return own_waiting_ && own_waiting_->kind == InputKind::new_game; }

    // The match so far stands on the table and the connection is open.
    bool playing() const { return stage_ == Stage::playing; }
    // The host has answered the opening: with its welcome, or with goodbye.
    bool answered() const { return stage_ != Stage::opening; }
    bool ended() const { return stage_ == Stage::ended; }
    // Every input up to this number has been applied, has settled, and the
    // host's check agrees with it or the host's table has been taken.
    uint32_t agreed_through() const { return agreed_through_; }
    // Playing, and the match as the host sent it on joining agrees with the host's table.
    bool caught_up() const { return stage_ == Stage::playing && agreed_through_ >= caught_up_to_; }
    const std::string& host_name() const { return host_name_; }
    bool watching() const { return role_ == Role::watcher; }
    // A watcher's: who holds the guest's seat, empty while it is free.
    const std::string& seated_guest_name() const { return seated_guest_name_; }
    // The host took this side once (a seat's token, or a watcher's welcome):
    // a lost connection is joined again.
    bool may_join_again() const { return seat_token_.has_value() || (watching() && !host_name_.empty()); }
    // The token the host gave (or the one this session was made with), for
    // joining again; nothing once this side has left.
    const std::optional<std::string>& seat_token() const { return seat_token_; }
    const SeriesCount& series() const { return series_; }

private:
    enum class Stage { opening, seat_token, score, match_header, catching_up, playing, ended };

    bool receive_seat_holder(const Message& message);
    void receive_opening(const Message& message);
    void receive_catching_up(const Message& message);
    void catch_up(uint32_t last_number);
    void receive_in_match(const Message& message, int64_t now);
    void receive_numbered(const NumberedInput& numbered);
    void receive_check(const Check& check);
    void receive_sync(const Sync& sync);
    void receive_refusal(InputKind kind);
    void receive_aim(const Aim& aim, int64_t now);
    // An input equal to this side's waiting one has arrived numbered.
    bool own_input_numbered() const;
    void apply_arrived();
    Side whose(const Input& input) const;
    void note_applied(const NumberedInput& numbered, Side side);
    void check_when_settled();
    void compare_checks();
    void end(EndReason why, std::optional<ByeReason> say);

    MatchTable& table_;
    std::string name_;
    std::string host_name_;
    std::optional<std::string> seat_token_;
    Role role_;
    std::string seated_guest_name_;
    SessionLink link_;
    Stage stage_ = Stage::opening;
    uint32_t praise_at_rack_ = 0;
    Score score_heard_;
    SeriesCount series_;
    std::vector<NumberedInput> match_so_far_;
    std::deque<NumberedInput> to_apply_;
    uint32_t last_received_ = 0;
    uint32_t last_applied_ = 0;
    uint32_t last_checked_ = 0;
    uint32_t agreed_through_ = 0;
    uint32_t caught_up_to_ = 0;
    std::map<uint32_t, std::string> own_checks_;
    std::map<uint32_t, std::string> host_checks_;
    bool sync_asked_ = false;
    std::optional<Input> own_waiting_;
    bool host_asked_new_ = false;
    LastShooter last_shooter_;
    bool holding_ = false;
    bool released_ = false;
};
