#include "protocol/guest_session.h"

#include <algorithm>

#include "match/match_limits.h"
#include "protocol/protocol_limits.h"

GuestSession::GuestSession(MatchTable& table, std::string name, std::optional<std::string> seat_token,
                           SeriesCount series, Role role)
    : table_(table), name_(std::move(name)), seat_token_(std::move(seat_token)), role_(role), series_(series)
{
}

void GuestSession::connected(int64_t now)
{
    link_.open(now);
    if (watching())
        link_.send(Watch{PROTOCOL_VERSION, name_});
    else if (seat_token_)
        link_.send(Again{PROTOCOL_VERSION, *seat_token_, name_});
    else
        link_.send(Hello{PROTOCOL_VERSION, name_});
}

void GuestSession::receive(std::string_view line, int64_t now)
{
    if (stage_ == Stage::ended) return;
    link_.heard(now);
    const std::optional<Message> message = parse_message(line);
    if (!message) return receive_malformed();
    if (const auto* bye = std::get_if<Bye>(&*message)) return end(reason_heard(bye->reason), std::nullopt);
    if (std::holds_alternative<Ping>(*message) || receive_seat_holder(*message)) return;
    if (stage_ == Stage::playing)
        receive_in_match(*message, now);
    else if (stage_ == Stage::catching_up)
        receive_catching_up(*message);
    else
        receive_opening(*message);
    apply_arrived();
}

void GuestSession::receive_malformed()
{
    end(EndReason::malformed, ByeReason::malformed);
}

void GuestSession::connection_closed()
{
    end(EndReason::lost, std::nullopt);
}

void GuestSession::pump(int64_t now)
{
    // What the host numbered before it ended the connection is played all the same.
    if (stage_ == Stage::ended) return apply_arrived();
    // Until the host answers, the opening is the connection's only line.
    const std::optional<ByeReason> say_timeout = answered() ? std::optional(ByeReason::timeout) : std::nullopt;
    if (link_.silent_too_long(now)) return end(EndReason::lost, say_timeout);
    if (answered()) link_.keep_up(now);
    apply_arrived();
}

void GuestSession::play(const Input& input)
{
    if (watching()) return link_.report(InputRefused{input.kind});
    if (stage_ != Stage::playing || own_waiting_) return;
    own_waiting_ = input;
    link_.forget_aims();
    if (input.kind != InputKind::new_game)
        link_.send(InputRequest{input});
    else if (host_asked_new_)
        answer_new_game(true);
    else
        link_.send(NewGameAsk{});
}

void GuestSession::aim(int x, int y, int64_t now)
{
    const bool holds_cue = stage_ == Stage::playing && !remote_has_cue() && !own_waiting_;
    if (holds_cue && to_apply_.empty() && table_.settled()) link_.offer_aim(Aim{x, y}, now);
}

void GuestSession::answer_new_game(bool agreed)
{
    if (!host_asked_new_) return;
    host_asked_new_ = false;
    if (agreed)
        link_.send(NewGameAgree{});
    else
        link_.send(Refused{InputKind::new_game});
}

void GuestSession::leave()
{
    if (stage_ == Stage::ended) return;
    link_.end(answered() ? std::optional(ByeReason::leaving) : std::nullopt);
    stage_ = Stage::ended;
    // The host forgets the token of a guest that leaves.
    seat_token_.reset();
}

bool GuestSession::remote_has_cue() const
{
    // Whoever aims, a watcher's cue follows.
    return stage_ == Stage::playing && (watching() || table_.facts().current_player == player_of(Side::host));
}

// `guest NAME` and `guest-left`, heard by a watcher once welcomed.
bool GuestSession::receive_seat_holder(const Message& message)
{
    const auto* seated = std::get_if<GuestSeated>(&message);
    if (!watching() || stage_ == Stage::opening || (!seated && !std::holds_alternative<GuestLeft>(message)))
        return false;
    seated_guest_name_ = seated ? seated->name : std::string();
    link_.report(SeatHolder{seated_guest_name_});
    return true;
}

void GuestSession::receive_opening(const Message& message)
{
    const auto* welcome = std::get_if<Welcome>(&message);
    const auto* token = std::get_if<SeatToken>(&message);
    const auto* score = std::get_if<Score>(&message);
    const auto* start = std::get_if<MatchStart>(&message);
    if (stage_ == Stage::opening && welcome) {
        if (welcome->version != PROTOCOL_VERSION) return end(EndReason::version, ByeReason::version);
        host_name_ = welcome->name;
        stage_ = watching() ? Stage::score : Stage::seat_token;
    } else if (stage_ == Stage::seat_token && token) {
        seat_token_ = token->token;
        stage_ = Stage::score;
    } else if (stage_ == Stage::score && score) {
        score_heard_ = *score;
        stage_ = Stage::match_header;
    } else if (stage_ == Stage::match_header && start) {
        praise_at_rack_ = start->praise;
        stage_ = Stage::catching_up;
    } else {
        receive_malformed();
    }
}

void GuestSession::receive_catching_up(const Message& message)
{
    if (const auto* numbered = std::get_if<NumberedInput>(&message)) {
        const bool in_order = match_so_far_.empty() || numbered->number == match_so_far_.back().number + 1;
        if (!in_order || match_so_far_.size() >= MAX_RACK_INPUTS) return receive_malformed();
        match_so_far_.push_back(*numbered);
        return;
    }
    const auto* ready = std::get_if<Ready>(&message);
    if (!ready || (!match_so_far_.empty() && ready->last_number != match_so_far_.back().number))
        return receive_malformed();
    catch_up(ready->last_number);
}

// The rack as the host set it up and every input since; the host's check of
// the last one follows.
void GuestSession::catch_up(uint32_t last_number)
{
    std::vector<Input> inputs;
    for (const NumberedInput& numbered : match_so_far_) inputs.push_back(numbered.input);
    match_so_far_ = {};
    if (!table_.catch_up(praise_at_rack_, inputs)) return receive_malformed();
    last_received_ = last_applied_ = caught_up_to_ = last_number;
    // The caught-up table is checked once it has settled, as after any input.
    last_checked_ = agreed_through_ = last_number > 0 ? last_number - 1 : 0;
    last_shooter_.reset();
    series_.take(score_heard_.player1, score_heard_.player2, table_.facts().winner);
    stage_ = Stage::playing;
    link_.report(Connected{host_name_});
}

void GuestSession::receive_in_match(const Message& message, int64_t now)
{
    const bool for_watchers = std::holds_alternative<NumberedInput>(message) || std::holds_alternative<Check>(message)
                              || std::holds_alternative<Sync>(message) || std::holds_alternative<Aim>(message);
    if (watching() && !for_watchers) return receive_malformed();
    if (const auto* numbered = std::get_if<NumberedInput>(&message)) return receive_numbered(*numbered);
    if (const auto* check = std::get_if<Check>(&message)) return receive_check(*check);
    if (const auto* sync = std::get_if<Sync>(&message)) return receive_sync(*sync);
    if (const auto* refused = std::get_if<Refused>(&message)) return receive_refusal(refused->kind);
    if (const auto* aim = std::get_if<Aim>(&message)) return receive_aim(*aim, now);
    if (std::holds_alternative<NewGameAsk>(message)) {
        // Asks that cross each other agree: the host numbers the new game.
        const bool asked_too = own_waiting_ && own_waiting_->kind == InputKind::new_game;
        if (asked_too || host_asked_new_) return;
        host_asked_new_ = true;
        return link_.report(NewGameAsked{});
    }
    // Our ask was agreed to; the numbered new game follows.
    if (std::holds_alternative<NewGameAgree>(message)) return;
    receive_malformed();
}

void GuestSession::receive_numbered(const NumberedInput& numbered)
{
    if (numbered.number != last_received_ + 1 || to_apply_.size() >= MAX_WAITING_FROM_HOST)
        return receive_malformed();
    last_received_ = numbered.number;
    to_apply_.push_back(numbered);
}

void GuestSession::receive_check(const Check& check)
{
    if (check.number > last_received_) return receive_malformed();
    if (check.number <= agreed_through_) return;
    host_checks_[check.number] = check.hash;
    if (host_checks_.size() > MAX_CHECKS_KEPT) host_checks_.erase(host_checks_.begin());
    compare_checks();
}

// The host's table after every input it had numbered when it answered; only
// an answer to our own sync? is taken.
void GuestSession::receive_sync(const Sync& sync)
{
    if (!sync_asked_) return;
    // Whose each input skipped was, on the table as it stood before them.
    std::vector<Side> sides;
    for (const NumberedInput& numbered : to_apply_) sides.push_back(whose(numbered.input));
    if (!table_.adopt(sync.state, sync.praise)) return receive_malformed();
    for (std::size_t k = 0; k < to_apply_.size(); ++k) {
        if (to_apply_[k].input.kind == InputKind::new_game) series_.new_rack();
        note_applied(to_apply_[k], sides[k]);
    }
    series_.rack_looked_at(table_.facts().winner);
    to_apply_.clear();
    last_shooter_.reset();
    last_applied_ = last_checked_ = agreed_through_ = last_received_;
    own_checks_.clear();
    host_checks_.clear();
    sync_asked_ = false;
}

void GuestSession::receive_refusal(InputKind kind)
{
    if (!own_waiting_ || own_waiting_->kind != kind) return;
    own_waiting_.reset();
    link_.report(InputRefused{kind});
}

void GuestSession::receive_aim(const Aim& aim, int64_t now)
{
    if (!link_.aim_within_limit(now)) return receive_malformed();
    if (remote_has_cue() && to_apply_.empty() && table_.settled()) table_.show_aim(aim.x, aim.y);
}

void GuestSession::release_remote_input()
{
    released_ = true;
    apply_arrived();
}

// The host's numbered inputs in order, each once the table has settled.
void GuestSession::apply_arrived()
{
    if (stage_ != Stage::playing && stage_ != Stage::ended) return;
    check_when_settled();
    while (!to_apply_.empty() && table_.settled()) {
        const NumberedInput next = to_apply_.front();
        const Side side = whose(next.input);
        // Once this side's own input has come back numbered, what the host numbered before it goes on.
        if (holding_ && !released_ && side == Side::host && !own_input_numbered()) break;
        to_apply_.pop_front();
        if (side == Side::host) released_ = false;
        link_.forget_aims();
        table_.apply(next.input);
        if (next.input.kind == InputKind::new_game) {
            host_asked_new_ = false;
            series_.new_rack();
        }
        note_applied(next, side);
        check_when_settled();
    }
}

// The host may number its own inputs before it hears ours: those arrive
// first, and ours (or its refusal) after them.
bool GuestSession::own_input_numbered() const
{
    return own_waiting_ && std::any_of(to_apply_.begin(), to_apply_.end(), [this](const NumberedInput& numbered) {
               return numbered.input == *own_waiting_;
           });
}

// Whose a numbered input is, judged on the table it is about to be applied
// to, as the host judged it: never ours unless we wait for an input of its
// kind; then a shot or a placement is ours on our player's turn, the undo
// unless the host's player played the last shot (a guest that has just
// caught up does not know who did), and a new game is the answer to our ask.
Side GuestSession::whose(const Input& input) const
{
    if (!own_waiting_ || own_waiting_->kind != input.kind) return Side::host;
    switch (input.kind) {
    case InputKind::shot:
    case InputKind::place:
        return table_.facts().current_player == player_of(Side::guest) ? Side::guest : Side::host;
    case InputKind::undo: return last_shooter_ == Side::host ? Side::host : Side::guest;
    case InputKind::new_game: return Side::guest;
    }
    return Side::host;
}

void GuestSession::note_applied(const NumberedInput& numbered, Side side)
{
    last_applied_ = numbered.number;
    last_shooter_ = after_input(last_shooter_, side, numbered.input);
    if (side == Side::guest) own_waiting_.reset();
    link_.report(InputApplied{numbered, side});
}

void GuestSession::check_when_settled()
{
    if (last_checked_ == last_applied_ || !table_.settled()) return;
    last_checked_ = last_applied_;
    series_.rack_looked_at(table_.facts().winner);
    const std::string hash = table_.check_hash();
    // The host has sent its check of the match caught up with already.
    if (last_checked_ != caught_up_to_ && !watching()) link_.send(Check{last_checked_, hash});
    own_checks_[last_checked_] = hash;
    if (own_checks_.size() > MAX_CHECKS_KEPT) own_checks_.erase(own_checks_.begin());
    compare_checks();
}

// Each input both sides have checked: the same hash, or a first difference
// that asks for the host's table once.
void GuestSession::compare_checks()
{
    for (auto own = own_checks_.begin(); own != own_checks_.end();) {
        const auto host = host_checks_.find(own->first);
        if (host == host_checks_.end()) {
            ++own;
            continue;
        }
        if (host->second != own->second && !sync_asked_) {
            link_.report(OutOfStep{own->first});
            link_.send(SyncAsk{});
            sync_asked_ = true;
        }
        if (host->second == own->second && !sync_asked_) agreed_through_ = std::max(agreed_through_, own->first);
        host_checks_.erase(host);
        own = own_checks_.erase(own);
    }
}

void GuestSession::end(EndReason why, std::optional<ByeReason> say)
{
    if (stage_ == Stage::ended) return;
    link_.end(say);
    stage_ = Stage::ended;
    link_.report(Disconnected{why});
}
