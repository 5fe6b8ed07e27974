#include "protocol/host_session.h"

#include <sys/random.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "match/match_limits.h"
#include "protocol/protocol_limits.h"

HostSession::HostSession(MatchTable& table, std::string name) : table_(table), name_(std::move(name)) {}

std::optional<ByeReason> HostSession::answer_opening(std::string_view first_line) const
{
    const std::optional<Message> message = parse_message(first_line);
    const auto* hello = message ? std::get_if<Hello>(&*message) : nullptr;
    const auto* again = message ? std::get_if<Again>(&*message) : nullptr;
    if (const auto* watch = message ? std::get_if<Watch>(&*message) : nullptr) {
        if (watch->version != PROTOCOL_VERSION) return ByeReason::version;
        return audience_.full() ? std::optional(ByeReason::full) : std::nullopt;
    }
    if (!hello && !again) return ByeReason::malformed;
    if ((hello ? hello->version : again->version) != PROTOCOL_VERSION) return ByeReason::version;
    const bool own_token = again && again->token == seat_token_;
    if (seated_ && !own_token) return ByeReason::busy;
    return std::nullopt;
}

void HostSession::replace_guest()
{
    drop_guest(EndReason::replaced, ByeReason::replaced);
}

void HostSession::seat(std::string_view first_line, int64_t now)
{
    if (seated_ || answer_opening(first_line)) return;
    const Message opening = *parse_message(first_line);
    if (std::holds_alternative<Watch>(opening)) return;
    const auto* again = std::get_if<Again>(&opening);
    seat_token_ = draw_seat_token();
    guest_name_ = again ? again->name : std::get<Hello>(opening).name;
    seated_ = true;
    if (keeper_) keeper_->seated(*seat_token_, guest_name_);
    link_.open(now);
    link_.send(Welcome{PROTOCOL_VERSION, name_});
    link_.send(SeatToken{*seat_token_});
    if (!match_started_) {
        // The connection's match starts from a new rack, not numbered.
        match_started_ = true;
        table_.apply(Input{InputKind::new_game});
        last_shooter_.reset();
        start_rack_record();
    }
    match_owed_ = true;
    link_.report(Connected{guest_name_});
    audience_.tell_seat(GuestSeated{guest_name_});
    take_waiting();
}

bool HostSession::resume(const HostJournal& journal)
{
    const JournalRack& rack = journal.racks.back();
    std::vector<Input> inputs;
    for (const JournalInput& kept : rack.inputs) inputs.push_back(kept.numbered.input);
    if (!table_.catch_up(rack.praise, inputs)) return false;
    match_started_ = true;
    praise_at_rack_ = rack.praise;
    // The current rack counts once its table has been checked, as it did before.
    series_ = SeriesCount(rack.won_before[0], rack.won_before[1]);
    for (const JournalInput& kept : rack.inputs) {
        rack_inputs_.push_back(kept.numbered);
        last_shooter_ = after_input(last_shooter_, kept.side, kept.numbered.input);
    }
    last_number_ = journal.last_number();
    seat_token_ = journal.seat_token;
    guest_name_ = journal.guest;
    return true;
}

void HostSession::admit_watcher(Audience::WatcherId id, int64_t now)
{
    std::vector<Message> greeting{Welcome{PROTOCOL_VERSION, name_}};
    if (seated_) greeting.emplace_back(GuestSeated{guest_name_});
    const std::size_t before = audience_.size();
    audience_.admit(id, greeting, now);
    count_watchers(before);
    take_waiting();
}

void HostSession::receive_from_watcher(Audience::WatcherId id, std::string_view line, int64_t now)
{
    const std::size_t before = audience_.size();
    audience_.receive(id, line, now);
    count_watchers(before);
    take_waiting();
}

void HostSession::drop_watcher(Audience::WatcherId id, std::optional<ByeReason> say)
{
    const std::size_t before = audience_.size();
    audience_.drop(id, say);
    count_watchers(before);
}

void HostSession::count_watchers(std::size_t before)
{
    if (audience_.size() != before) link_.report(WatchersCounted{audience_.size()});
}

void HostSession::receive(std::string_view line, int64_t now)
{
    if (!seated_) return;
    link_.heard(now);
    const std::optional<Message> message = parse_message(line);
    if (!message) return receive_malformed();
    receive_in_match(*message, now);
    take_waiting();
}

void HostSession::receive_malformed()
{
    drop_guest(EndReason::malformed, ByeReason::malformed);
}

void HostSession::connection_closed()
{
    drop_guest(EndReason::lost, std::nullopt);
}

void HostSession::pump(int64_t now)
{
    if (link_.silent_too_long(now)) drop_guest(EndReason::lost, ByeReason::timeout);
    link_.keep_up(now);
    const std::size_t before = audience_.size();
    audience_.pump(now);
    count_watchers(before);
    take_waiting();
}

void HostSession::play(const Input& input)
{
    // Until a guest has joined, the table is not yet the match's.
    if (!match_started_) return refuse(Side::host, input.kind);
    if (input.kind != InputKind::new_game) {
        waiting_.push_back({Side::host, input});
        return take_waiting();
    }
    if (!seated_) return refuse(Side::host, InputKind::new_game);
    if (guest_asked_new_) return answer_new_game(true);
    if (host_asked_new_) return;
    host_asked_new_ = true;
    link_.send(NewGameAsk{});
}

void HostSession::aim(int x, int y, int64_t now)
{
    if (!match_started_ || remote_has_cue() || !table_.settled() || !waiting_.empty()) return;
    audience_.offer_aim(Aim{x, y}, now);
    if (seated_ && !match_owed_) link_.offer_aim(Aim{x, y}, now);
}

void HostSession::answer_new_game(bool agreed)
{
    if (!guest_asked_new_ || host_asked_new_) return;
    if (!agreed) {
        guest_asked_new_ = false;
        link_.send(Refused{InputKind::new_game});
        return;
    }
    host_asked_new_ = true;
    link_.send(NewGameAgree{});
    waiting_.push_back({Side::guest, Input{InputKind::new_game}});
    take_waiting();
}

void HostSession::leave()
{
    audience_.leave();
    if (!seated_) return;
    link_.end(ByeReason::leaving);
    seated_ = false;
}

bool HostSession::remote_has_cue() const
{
    return match_started_ && table_.facts().current_player == player_of(Side::guest);
}

bool HostSession::own_input_waiting() const
{
    const bool own_queued =
        std::any_of(waiting_.begin(), waiting_.end(), [](const Waiting& w) { return w.side == Side::host; });
    return own_queued || own_new_game_asked();
}

void HostSession::start_rack_record()
{
    praise_at_rack_ = table_.praise();
    if (keeper_) keeper_->rack_set_up(praise_at_rack_, {series_.won_by(1), series_.won_by(2)});
    rack_inputs_.clear();
    series_.new_rack();
    host_asked_new_ = false;
    guest_asked_new_ = false;
}

bool HostSession::last_input_checked() const
{
    return last_number_ == 0 || (last_check_ && last_check_->number == last_number_);
}

// The series, the rack as it was set up and every input since, then the check
// of the last input once more, so that the guest knows its table is ours.
// Sent once the last input has been checked: the series then holds the rack
// it may have decided, as the guest's caught-up table does.
std::vector<Message> HostSession::match_so_far() const
{
    std::vector<Message> match{Score{series_.won_by(1), series_.won_by(2)}, MatchStart{praise_at_rack_}};
    match.insert(match.end(), rack_inputs_.begin(), rack_inputs_.end());
    match.emplace_back(Ready{last_number_});
    if (last_number_ > 0) match.emplace_back(*last_check_);
    return match;
}

void HostSession::send_match_when_checked()
{
    if (!match_started_ || !last_input_checked()) return;
    if (audience_.anyone_owed_match()) audience_.hand_match(match_so_far());
    if (!match_owed_) return;
    match_owed_ = false;
    for (const Message& message : match_so_far()) link_.send(message);
    if (host_asked_new_ && !guest_asked_new_) link_.send(NewGameAsk{});
}

// A watcher's sync? is answered with the table after every input numbered so far.
void HostSession::answer_watchers_when_settled()
{
    if (audience_.anyone_asked_sync() && table_.settled())
        audience_.answer_sync(Sync{table_.praise(), table_.state_without_time()});
}

void HostSession::receive_in_match(const Message& message, int64_t now)
{
    if (const auto* request = std::get_if<InputRequest>(&message)) {
        if (request->input.kind == InputKind::new_game) return guest_asks_new_game();
        return queue_from_guest(request->input);
    }
    if (std::holds_alternative<NewGameAsk>(message)) return guest_asks_new_game();
    if (std::holds_alternative<NewGameAgree>(message)) return guest_agrees_new_game();
    if (const auto* refused = std::get_if<Refused>(&message)) return guest_declines(refused->kind);
    if (const auto* aim = std::get_if<Aim>(&message)) return receive_aim(*aim, now);
    // A differing check is the guest's to settle with sync?; the host's table stands.
    if (const auto* check = std::get_if<Check>(&message)) {
        if (check->number > last_number_) receive_malformed();
        return;
    }
    if (std::holds_alternative<SyncAsk>(message)) return queue_from_guest(std::nullopt);
    if (const auto* bye = std::get_if<Bye>(&message)) {
        // A guest that leaves gives its seat up for good: its token is no more.
        if (bye->reason == ByeReason::leaving) seat_token_.reset();
        return drop_guest(reason_heard(bye->reason), std::nullopt);
    }
    if (std::holds_alternative<Ping>(message)) return;
    receive_malformed();
}

void HostSession::receive_aim(const Aim& aim, int64_t now)
{
    if (!link_.aim_within_limit(now)) return receive_malformed();
    if (!remote_has_cue() || !table_.settled() || !waiting_.empty()) return;
    table_.show_aim(aim.x, aim.y);
    audience_.offer_aim(aim, now);
}

void HostSession::queue_from_guest(std::optional<Input> input)
{
    const auto from_guest = [](const Waiting& w) { return w.side == Side::guest; };
    if (static_cast<std::size_t>(std::count_if(waiting_.begin(), waiting_.end(), from_guest)) >= MAX_WAITING_FROM_GUEST)
        return receive_malformed();
    const bool sync_already_asked = std::any_of(waiting_.begin(), waiting_.end(), [](const Waiting& w) {
        return w.side == Side::guest && !w.input;
    });
    if (!input && sync_already_asked) return;
    waiting_.push_back({Side::guest, input});
}

// The guest's `new?`, or its `new`, which asks the same.
void HostSession::guest_asks_new_game()
{
    if (guest_asked_new_) return;
    guest_asked_new_ = true;
    if (host_asked_new_)
        waiting_.push_back({Side::host, Input{InputKind::new_game}});
    else
        link_.report(NewGameAsked{});
}

void HostSession::guest_agrees_new_game()
{
    if (!host_asked_new_ || guest_asked_new_) return;
    guest_asked_new_ = true;
    waiting_.push_back({Side::host, Input{InputKind::new_game}});
}

void HostSession::guest_declines(InputKind kind)
{
    if (kind != InputKind::new_game) return receive_malformed();
    if (!host_asked_new_ || guest_asked_new_) return;
    host_asked_new_ = false;
    link_.report(InputRefused{InputKind::new_game});
}

void HostSession::release_remote_input()
{
    released_ = true;
    take_waiting();
}

// Each input in the order it came in, once the table has applied every
// earlier one and has settled.
void HostSession::take_waiting()
{
    send_check_when_settled();
    send_match_when_checked();
    while (!match_owed_ && !waiting_.empty() && table_.settled() && !held_back(waiting_.front())) {
        const Waiting next = waiting_.front();
        waiting_.pop_front();
        judge(next);
        send_check_when_settled();
    }
    answer_watchers_when_settled();
}

bool HostSession::held_back(const Waiting& next) const
{
    if (!holding_ || released_ || next.side != Side::guest || !next.input) return false;
    const bool taken = next.input->kind == InputKind::new_game
                       || may_play(Side::guest, *next.input, table_.facts(), last_shooter_);
    const bool own_behind =
        std::any_of(waiting_.begin(), waiting_.end(), [](const Waiting& w) { return w.side == Side::host; });
    return taken && !own_behind;
}

void HostSession::judge(const Waiting& waiting)
{
    if (!waiting.input) {
        link_.send(Sync{table_.praise(), table_.state_without_time()});
        // The guest's table has just been replaced: no shot of it can be taken back.
        last_shooter_.reset();
        return;
    }
    const Input& input = *waiting.input;
    // A new game waits here only once both sides have agreed to it.
    const bool agreed = input.kind == InputKind::new_game;
    const bool room = agreed || rack_inputs_.size() < MAX_RACK_INPUTS;
    if (room && (agreed || may_play(waiting.side, input, table_.facts(), last_shooter_)))
        number_and_apply(input, waiting.side);
    else
        refuse(waiting.side, input.kind);
}

void HostSession::refuse(Side side, InputKind kind)
{
    if (side == Side::host)
        link_.report(InputRefused{kind});
    else
        link_.send(Refused{kind});
}

void HostSession::number_and_apply(const Input& input, Side side)
{
    const NumberedInput numbered{++last_number_, input};
    // Kept before it goes out, so that a resumed match never lacks an input its guest has.
    if (keeper_) keeper_->numbered(side, numbered);
    link_.send(numbered);
    link_.forget_aims();
    audience_.send_all(numbered);
    audience_.forget_aims();
    table_.apply(input);
    last_shooter_ = after_input(last_shooter_, side, input);
    if (side == Side::guest) released_ = false;
    if (input.kind == InputKind::new_game)
        start_rack_record();
    else
        rack_inputs_.push_back(numbered);
    link_.report(InputApplied{numbered, side});
}

void HostSession::send_check_when_settled()
{
    if (last_input_checked() || !table_.settled()) return;
    last_check_ = Check{last_number_, table_.check_hash()};
    series_.rack_looked_at(table_.facts().winner);
    if (!match_owed_) link_.send(*last_check_);
    audience_.send_all(*last_check_);
}

void HostSession::drop_guest(EndReason why, std::optional<ByeReason> say)
{
    if (!seated_) return;
    link_.end(say);
    seated_ = false;
    match_owed_ = false;
    std::erase_if(waiting_, [](const Waiting& w) { return w.side == Side::guest; });
    // The guest's ask goes with its connection; this side's stands for the next guest.
    if (!host_asked_new_) guest_asked_new_ = false;
    audience_.tell_seat(GuestLeft{});
    link_.report(Disconnected{why});
}

bool opens_to_watch(std::string_view first_line)
{
    const std::optional<Message> message = parse_message(first_line);
    return message && std::holds_alternative<Watch>(*message);
}

std::string draw_seat_token()
{
    std::array<unsigned char, 8> bytes{};
    // getrandom blocks only until the system's source is first seeded, and a
    // request of 8 bytes is never cut short.
    while (getrandom(bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
    }
    std::string token;
    for (const unsigned char byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        token += digits;
    }
    return token;
}
