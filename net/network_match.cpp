#include "net/network_match.h"

#include <algorithm>

#include "protocol/protocol_limits.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_journal.h"
#include "net/relay/relay_keys.h"
#include "net/relay/relay_line_transport.h"
#include "net/tcp_line_transport.h"

namespace {

// Often enough that an input waiting for the table to settle goes on at once
// to the eye; rarely enough that an idle connection costs nothing.
constexpr int UPKEEP_EVERY_MS = 50;

QString from_std(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

NetworkMatch::NetworkMatch(MatchTable& table, QObject* parent) : QObject(parent), table_(table)
{
    clock_.start();
    connect(&upkeep_timer_, &QTimer::timeout, this, &NetworkMatch::upkeep);
    connect(&announce_timer_, &QTimer::timeout, this, &NetworkMatch::announce);
    rejoin_timer_.setSingleShot(true);
    connect(&rejoin_timer_, &QTimer::timeout, this, &NetworkMatch::join_again);
}

// The other side is told goodbye; whoever holds this match is told nothing,
// since it may be half gone itself.
NetworkMatch::~NetworkMatch()
{
    blockSignals(true);
    leave();
}

void NetworkMatch::announce_while_waiting(const QHostAddress& to, quint16 port)
{
    announce_to_ = {to, port};
    if (host_) start_announcing();
}

void NetworkMatch::start_announcing()
{
    announce();
    announce_timer_.start(static_cast<int>(ANNOUNCE_EVERY_MS));
}

bool NetworkMatch::host(const QHostAddress& address, quint16 port, const QString& name, LinkTrouble& why)
{
    leave();
    auto* listener = new TcpGuestListener([this](const QHostAddress& from) { return admits_opening(from); }, this);
    if (!listener->listen(address, port, why)) {
        delete listener;
        return false;
    }
    listener_ = listener;
    connect(listener, &TcpGuestListener::guest_arrived, this,
            [this](LineTransport* transport, const QHostAddress& from) { take_connection(transport, from); });
    hosting_port_ = listener->port();
    start_hosting(name, hosting_port_);
    if (announce_to_) start_announcing();
    return true;
}

// The match code and the watch code are drawn here; a host that takes its
// match up again would listen on the same two.
void NetworkMatch::host_relay(const RelayAddress& address, const QString& name)
{
    leave();
    host_on_relay(address, name, {draw_match_code(), draw_match_code()});
}

bool NetworkMatch::resume(const HostJournal& journal, const QHostAddress& address, LinkTrouble& why)
{
    const QString name = QString::fromStdString(journal.player);
    if (const auto* port = std::get_if<uint16_t>(&journal.place)) {
        if (!host(address, *port, name, why)) return false;
    } else {
        const std::optional<KeptRelay> relay = relay_of_journal(std::get<JournalRelay>(journal.place));
        if (!relay) {
            why = {LinkTrouble::Kind::journal_without_relay};
            return false;
        }
        leave();
        host_on_relay(relay->address, name, relay->codes);
    }
    if (!host_->resume(journal)) {
        // The journal stays on the disk as it was.
        host_->keep_with(nullptr);
        journal_.reset();
        leave();
        why = {LinkTrouble::Kind::journal_not_replayable};
        return false;
    }
    journal_->resume(journal);
    return true;
}

void NetworkMatch::host_on_relay(const RelayAddress& address, const QString& name, const RelayCodes& codes)
{
    over_relay_ = true;
    listen_on_relay(address, codes.match, false);
    listen_on_relay(address, codes.watch, true);
    start_hosting(name, journal_relay(address, codes));
}

// Watchers have topics and a key of their own, derived from the watch code:
// a watcher cannot sign a player's line.
void NetworkMatch::listen_on_relay(const RelayAddress& address, const QString& code, bool watch_only)
{
    auto* listener = new RelayGuestListener(this);
    (watch_only ? watch_listener_ : listener_) = listener;
    connect(listener, &RelayGuestListener::guest_arrived, this,
            [this, watch_only](LineTransport* transport) { take_connection(transport, {}, watch_only); });
    connect(listener, &RelayGuestListener::listening, this,
            [this, code, watch_only] { relay_heard(watch_only, code); });
    connect(listener, &RelayGuestListener::relay_failed, this, &NetworkMatch::relay_failed);
    listener->listen(address, derive_relay_keys(code));
}

// The codes are shown only once the relay has heard both, so that no
// opening goes to nobody.
void NetworkMatch::relay_heard(bool watch_only, const QString& code)
{
    (watch_only ? watch_code_ : match_code_) = show_match_code(code);
    if (!match_code_.isEmpty() && !watch_code_.isEmpty()) emit relay_listening(match_code_);
}

void NetworkMatch::start_hosting(const QString& name, const JournalPlace& place)
{
    host_.emplace(table_, name.toStdString());
    if (!journal_path_.empty()) {
        HostJournal head;
        head.player = name.toStdString();
        head.place = place;
        journal_ = std::make_unique<JournalFile>(journal_path_, head);
        host_->keep_with(journal_.get());
    }
    start_session(*host_);
    name_ = name;
}

void NetworkMatch::join(const HostPlace& place, const QString& name)
{
    open_to_host(place, name, false);
}

void NetworkMatch::watch(const HostPlace& place, const QString& name)
{
    open_to_host(place, name, true);
}

void NetworkMatch::open_to_host(const HostPlace& place, const QString& name, bool to_watch)
{
    const bool same_host = can_join_again() && place == join_place_ && to_watch == watch_place_;
    const std::optional<std::string> seat_token = same_host ? guest_->seat_token() : std::nullopt;
    leave();
    join_place_ = place;
    watch_place_ = to_watch;
    over_relay_ = std::holds_alternative<RelayMatch>(place);
    name_ = name;
    connect_to_host(seat_token);
}

void NetworkMatch::join_again()
{
    if (!can_join_again()) return;
    rejoin_timer_.stop();
    if (rejoining()) emit rejoin_tried(++rejoin_tries_);
    release_transport();
    connect_to_host(guest_->seat_token());
}

void NetworkMatch::connect_to_host(std::optional<std::string> seat_token)
{
    const SeriesCount series = guest_ ? guest_->series() : SeriesCount{};
    guest_.emplace(table_, name_.toStdString(), std::move(seat_token), series,
                   watch_place_ ? GuestSession::Role::watcher : GuestSession::Role::player);
    start_session(*guest_);
    if (const auto* relay = std::get_if<RelayMatch>(&join_place_))
        transport_ = RelayLineTransport::connect_to(relay->relay, derive_relay_keys(relay->code), this);
    else
        transport_ = TcpLineTransport::connect_to(std::get<TcpHost>(join_place_).host,
                                                  std::get<TcpHost>(join_place_).port, this);
    wire(transport_);
    connect(transport_, &LineTransport::opened, this, [this] {
        guest_->connected(now());
        flush();
    });
    // Until the host answers, the connection's own words say why it ended
    // (over a relay: no game answers with this code).
    connect(transport_, &LineTransport::ended, this, [this](const LinkTrouble& why) {
        const bool answered = guest_->answered();
        guest_->connection_closed();
        if (answered) {
            flush();
        } else {
            guest_->take_output();
            not_answered(why);
        }
        release_transport();
    });
}

// A try of its own that found no host is followed by the next; a join the
// player asked for fails.
void NetworkMatch::not_answered(const LinkTrouble& why)
{
    if (rejoining())
        try_again_later();
    else
        emit join_failed(why);
}

// A guest that had the match and lost its connection joins again by itself;
// a goodbye, or a seat taken by another, ends the tries.
void NetworkMatch::guest_connection_ended(EndReason reason)
{
    const bool had_seat = guest_->may_join_again();
    if (reason == EndReason::lost && (rejoining() || had_seat)) {
        const bool first_loss = !rejoining();
        if (first_loss) rejoin_since_ = now();
        try_again_later();
        if (first_loss) emit connection_ended(reason);
        return;
    }
    stop_rejoining();
    emit connection_ended(reason);
}

void NetworkMatch::try_again_later()
{
    if (now() - *rejoin_since_ >= REJOIN_FOR_MS) {
        stop_rejoining();
        return emit connection_ended(EndReason::lost);
    }
    const int64_t spacing = std::min(FIRST_REJOIN_AFTER_MS << std::min(rejoin_tries_, 4), MAX_REJOIN_SPACING_MS);
    rejoin_timer_.start(static_cast<int>(spacing));
}

void NetworkMatch::stop_rejoining()
{
    rejoin_timer_.stop();
    rejoin_since_.reset();
    rejoin_tries_ = 0;
}

void NetworkMatch::start_session(MatchSession& session)
{
    session_ = &session;
    session_->hold_remote_inputs(hold_remote_inputs_);
    session_->pace_aims(over_relay_ ? RELAY_AIMS_PER_SECOND : MAX_AIMS_PER_SECOND);
    upkeep_timer_.start(UPKEEP_EVERY_MS);
}

// What arrives goes to the session, and what it says goes out at once.
void NetworkMatch::wire(LineTransport* transport)
{
    connect(transport, &LineTransport::line_arrived, this, [this](const std::string& line) {
        session_->receive(line, now());
        flush();
    });
    connect(transport, &LineTransport::framing_broken, this, [this] {
        session_->receive_malformed();
        flush();
    });
}

void NetworkMatch::leave()
{
    if (session_) {
        session_->leave();
        flush();
    }
    session_ = nullptr;
    stop_rejoining();
    release_transport();
    for (const Opening& opening : openings_) opening.transport->close();
    openings_.clear();
    while (!watcher_transports_.empty()) forget_watcher(watcher_transports_.begin()->first);
    delete listener_;
    listener_ = nullptr;
    delete watch_listener_;
    watch_listener_ = nullptr;
    match_code_.clear();
    watch_code_.clear();
    over_relay_ = false;
    // A match ended on purpose is not resumed.
    if (journal_) journal_->remove();
    host_.reset();
    journal_.reset();
    journal_failure_told_ = false;
    guest_.reset();
    upkeep_timer_.stop();
    announce_timer_.stop();
}

void NetworkMatch::play(const Input& input)
{
    if (!session_) return;
    session_->play(input);
    flush();
}

void NetworkMatch::aim(int x, int y)
{
    if (!session_) return;
    session_->aim(x, y, now());
    flush();
}

void NetworkMatch::answer_new_game(bool agreed)
{
    if (!session_) return;
    session_->answer_new_game(agreed);
    flush();
}

void NetworkMatch::hold_remote_inputs(bool hold)
{
    hold_remote_inputs_ = hold;
    if (session_) session_->hold_remote_inputs(hold);
}

void NetworkMatch::release_remote_input()
{
    if (!session_) return;
    session_->release_remote_input();
    flush();
}

void NetworkMatch::table_changed()
{
    upkeep();
}

bool NetworkMatch::in_match() const
{
    return (host_ && host_->match_started()) || (guest_ && guest_->playing());
}

bool NetworkMatch::remote_has_cue() const
{
    return session_ && session_->remote_has_cue();
}

bool NetworkMatch::own_input_waiting() const
{
    return session_ && session_->own_input_waiting();
}

SeriesCount NetworkMatch::series() const
{
    if (host_) return host_->series();
    if (guest_) return guest_->series();
    return {};
}

QString NetworkMatch::watched_guest_name() const
{
    return watching() ? from_std(guest_->seated_guest_name()) : QString();
}

QString NetworkMatch::remote_name() const
{
    if (host_) return from_std(host_->guest_name());
    if (guest_) return from_std(guest_->host_name());
    return {};
}

void NetworkMatch::upkeep()
{
    if (session_) session_->pump(now());
    flush();
    drop_late_openings();
}

bool NetworkMatch::admits_opening(const QHostAddress& from) const
{
    const auto from_there = [&from](const Opening& opening) { return opening.from == from; };
    return openings_.size() < MAX_OPENING_CONNECTIONS
           && static_cast<std::size_t>(std::count_if(openings_.begin(), openings_.end(), from_there))
                  < MAX_OPENINGS_PER_ADDRESS;
}

// Every connection is heard out on its own: its opening line is answered when
// it comes, whatever the seated guest or this side's player is doing.
void NetworkMatch::take_connection(LineTransport* transport, const QHostAddress& from, bool watch_only)
{
    transport->setParent(this);
    if (!admits_opening(from)) return transport->close();
    openings_.push_back({transport, now(), from, watch_only});
    // Until it takes the seat or watches, a connection's first line is its opening.
    connect(transport, &LineTransport::line_arrived, this, [this, transport](const std::string& line) {
        if (const auto watcher = watcher_of(transport)) {
            host_->receive_from_watcher(*watcher, line, now());
        } else if (transport == transport_) {
            host_->receive(line, now());
        } else {
            return answer_opening(transport, line);
        }
        flush();
    });
    connect(transport, &LineTransport::framing_broken, this, [this, transport] {
        if (const auto watcher = watcher_of(transport)) {
            host_->drop_watcher(*watcher, ByeReason::malformed);
        } else if (transport == transport_) {
            host_->receive_malformed();
        } else {
            return drop_opening(transport, ByeReason::malformed);
        }
        flush();
    });
    connect(transport, &LineTransport::ended, this, [this, transport] {
        if (const auto watcher = watcher_of(transport)) {
            host_->drop_watcher(*watcher, std::nullopt);
            return flush();
        }
        if (transport != transport_) return drop_opening(transport, std::nullopt);
        host_->connection_closed();
        flush();
        release_transport();
    });
}

std::optional<Audience::WatcherId> NetworkMatch::watcher_of(LineTransport* transport) const
{
    for (const auto& [id, watcher] : watcher_transports_)
        if (watcher == transport) return id;
    return std::nullopt;
}

void NetworkMatch::answer_opening(LineTransport* transport, const std::string& first_line)
{
    const auto opening = std::find_if(openings_.begin(), openings_.end(),
                                      [transport](const Opening& o) { return o.transport == transport; });
    // Over the watch code, watching is all there is.
    if (opening != openings_.end() && opening->watch_only && !opens_to_watch(first_line))
        return drop_opening(transport, ByeReason::malformed);
    if (const std::optional<ByeReason> bye = host_->answer_opening(first_line)) return drop_opening(transport, bye);
    forget_opening(transport);
    if (opens_to_watch(first_line)) return admit_watcher(transport);
    if (host_->guest_seated()) {
        // The old connection hears why it ends, and is closed, before the new one is seated.
        host_->replace_guest();
        flush();
    }
    release_transport();
    transport_ = transport;
    host_->seat(first_line, now());
    flush();
}

void NetworkMatch::admit_watcher(LineTransport* transport)
{
    const Audience::WatcherId id = ++last_watcher_id_;
    watcher_transports_[id] = transport;
    host_->admit_watcher(id, now());
    flush();
}

void NetworkMatch::drop_opening(LineTransport* transport, std::optional<ByeReason> say)
{
    if (say) transport->send_line(format_message(Bye{*say}));
    transport->close();
    forget_opening(transport);
}

void NetworkMatch::forget_opening(LineTransport* transport)
{
    std::erase_if(openings_, [transport](const Opening& opening) { return opening.transport == transport; });
}

void NetworkMatch::drop_late_openings()
{
    std::vector<LineTransport*> late;
    for (const Opening& opening : openings_)
        if (now() - opening.since >= OPENING_LIMIT_MS) late.push_back(opening.transport);
    for (LineTransport* transport : late) drop_opening(transport, ByeReason::timeout);
}

void NetworkMatch::flush()
{
    flush_watchers();
    const SessionOutput output = session_ ? session_->take_output() : SessionOutput{};
    if (transport_)
        for (const std::string& line : output.lines) transport_->send_line(line);
    if (output.close) release_transport();
    for (const SessionEvent& event : output.events) tell(event);
    tell_journal_failure();
    if (connected() != connected_told_) {
        connected_told_ = connected();
        emit connected_changed();
    }
}

void NetworkMatch::tell_journal_failure()
{
    if (!journal_ || journal_->trouble().empty() || journal_failure_told_) return;
    journal_failure_told_ = true;
    emit journal_failed(from_std(journal_->trouble()));
}

// The host never waits for a watcher: one that leaves too much unread is
// told why, and closed.
void NetworkMatch::flush_watchers()
{
    if (!host_) return;
    for (const auto& [id, output] : host_->take_watcher_output()) {
        const auto found = watcher_transports_.find(id);
        if (found == watcher_transports_.end()) continue;
        LineTransport* const transport = found->second;
        if (static_cast<std::size_t>(transport->unsent_bytes()) > MAX_WATCHER_UNSENT_BYTES) {
            host_->drop_watcher(id, std::nullopt);
            transport->send_line(format_message(Bye{ByeReason::timeout}));
            forget_watcher(id);
            continue;
        }
        for (const std::string& line : output.lines) transport->send_line(line);
        if (output.close) forget_watcher(id);
    }
}

void NetworkMatch::forget_watcher(Audience::WatcherId id)
{
    LineTransport* const transport = watcher_transports_.at(id);
    watcher_transports_.erase(id);
    disconnect(transport, nullptr, this, nullptr);
    transport->close();
}

void NetworkMatch::tell(const SessionEvent& event)
{
    if (const auto* connected = std::get_if<Connected>(&event)) {
        stop_rejoining();
        emit remote_joined(from_std(connected->remote_name));
    } else if (const auto* disconnected = std::get_if<Disconnected>(&event)) {
        if (guest_) return guest_connection_ended(disconnected->reason);
        emit connection_ended(disconnected->reason);
    } else if (const auto* applied = std::get_if<InputApplied>(&event)) {
        emit input_applied(applied->numbered, applied->side);
    } else if (const auto* refused = std::get_if<InputRefused>(&event)) {
        emit input_refused(refused->kind);
    } else if (std::holds_alternative<NewGameAsked>(event)) {
        emit new_game_asked(remote_name());
    } else if (const auto* out_of_step_event = std::get_if<OutOfStep>(&event)) {
        emit out_of_step(out_of_step_event->number);
    } else if (const auto* counted = std::get_if<WatchersCounted>(&event)) {
        emit watchers_changed(static_cast<int>(counted->count));
    } else if (const auto* holder = std::get_if<SeatHolder>(&event)) {
        emit seat_holder_changed(from_std(holder->guest_name));
    }
}

void NetworkMatch::release_transport()
{
    if (!transport_) return;
    disconnect(transport_, nullptr, this, nullptr);
    transport_->close();
    transport_ = nullptr;
}

void NetworkMatch::announce()
{
    if (!host_ || !host_->seat_free()) return;
    const std::string datagram = format_announcement({hosting_port_, name_.toStdString()});
    announcer_.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()), announce_to_->first,
                             announce_to_->second);
}
