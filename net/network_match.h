#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <map>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "protocol/guest_session.h"
#include "protocol/host_session.h"
#include "protocol/journal_file.h"
#include "net/link_trouble.h"
#include "net/relay/relay_address.h"
#include "net/relay/relay_journal.h"

class LineTransport;

// Where a guest finds its host: at an address, or by a match code on a relay.
struct TcpHost {
    QString host;
    quint16 port = 0;
    bool operator==(const TcpHost&) const = default;
};
struct RelayMatch {
    RelayAddress relay;
    QString code;  // as read_match_code gives it
    bool operator==(const RelayMatch&) const = default;
};
using HostPlace = std::variant<TcpHost, RelayMatch>;

// A network match as its owner (the window, or the driver) plays it: hosting
// or joining over TCP or a relay, the session of either side, its upkeep, and what it
// tells. The table it plays on is the owner's. Without a call to host() or
// join() it does nothing at all.
class NetworkMatch : public QObject {
    Q_OBJECT

public:
    explicit NetworkMatch(MatchTable& table, QObject* parent = nullptr);
    ~NetworkMatch() override;

    // While a host waits for a guest, it announces itself every 2 s to
    // `to`:`port` (the window: the broadcast address, port 47147), from now
    // on or from when it hosts. Off unless set.
    void announce_while_waiting(const QHostAddress& to, quint16 port);

    // Each match hosted from now on is kept in a journal at `path` (none when
    // empty), which goes when the match is ended on purpose (leave()).
    void keep_journal(const std::string& path) { journal_path_ = path; }
    // Hosts again the match `journal` kept, as after a crash: on `address`
    // at its port, or on its relay with its code; its rack on the table, the
    // seat kept for its guest, its journal going on. False, with why, when
    // it cannot listen there or the rack does not play as it was played; the
    // journal then stays as it is.
    bool resume(const HostJournal& journal, const QHostAddress& address, LinkTrouble& why);

    // Starts hosting on address:port as `name`: false, with why, when the
    // port cannot be had. The table is left alone until a guest joins.
    bool host(const QHostAddress& address, quint16 port, const QString& name, LinkTrouble& why);
    // Starts hosting over the relay at `address` as `name`, with a new match
    // code: relay_listening() follows each time the relay has heard the
    // match (the code may then be given out), relay_failed() when it is out
    // of reach. The table is left alone until a guest joins.
    void host_relay(const RelayAddress& address, const QString& name);
    // Joins the host at `place` as `name`: remote_joined() or join_failed()
    // follows. A guest whose connection to that host was lost takes its seat back.
    void join(const HostPlace& place, const QString& name);
    // Watches the match at `place` (over a relay, by its watch code) as a
    // guest joins it, playing nothing: remote_joined() or join_failed() follows.
    void watch(const HostPlace& place, const QString& name);
    // A guest whose connection has ended joins the same host again, taking
    // its seat back with the token it was given: at once, even between the
    // tries it makes by itself after a lost connection.
    void join_again();
    // Says goodbye and stops listening; the table stays as it is.
    void leave();

    // This side's player: a shot, a placement, the undo, or a new game asked for.
    void play(const Input& input);
    // This side's player moved the mouse and it aimed.
    void aim(int x, int y);
    void answer_new_game(bool agreed);
    // A driver stepping the match: the other side's inputs are applied one
    // at a time, each when released (see the sessions).
    void hold_remote_inputs(bool hold);
    void release_remote_input();
    // The table may have settled: what waited for it goes on at once rather
    // than at the next upkeep.
    void table_changed();

    bool hosting() const { return host_.has_value(); }
    // The port a host listens on, as the player chose it or the system gave it.
    quint16 hosting_port() const { return hosting_port_; }
    bool hosting_over_relay() const { return host_.has_value() && over_relay_; }
    // A host's match code over the relay, as a player reads it (XXXXX-XXXXX),
    // once the relay has heard the match.
    QString match_code() const { return match_code_; }
    // The code a watcher over the relay types, apart from the match code.
    QString watch_code() const { return watch_code_; }
    bool joining() const { return guest_.has_value(); }
    bool watching() const { return guest_ && guest_->watching(); }
    // A watcher's: the name of the player in the guest's seat, empty while it is free.
    QString watched_guest_name() const;
    // The host's: how many watch.
    int watchers() const { return host_ ? static_cast<int>(host_->watchers()) : 0; }
    // The table is the network match's: the host's since its first guest,
    // the guest's while connected.
    bool in_match() const;
    bool remote_has_cue() const;
    bool own_input_waiting() const;
    bool own_new_game_asked() const { return session_ && session_->own_new_game_asked(); }
    // The guest's: every input up to this one has settled and agrees with the host.
    uint32_t agreed_through() const { return guest_ ? guest_->agreed_through() : 0; }
    // The host's: a guest is in the seat. The guest's: the match so far stands
    // on the table and agrees with the host's.
    bool connected() const { return (host_ && host_->guest_seated()) || (guest_ && guest_->caught_up()); }
    bool can_join_again() const { return guest_ && guest_->ended(); }
    // A guest whose connection was lost, joining again by itself; the tries so far.
    bool rejoining() const { return rejoin_since_.has_value(); }
    int rejoin_tries() const { return rejoin_tries_; }
    QString remote_name() const;
    // The racks each player has won since the match began.
    SeriesCount series() const;

signals:
    // Host: a guest took the seat. Guest: the match so far stands on the table.
    void remote_joined(const QString& name);
    void connection_ended(EndReason reason);
    void join_failed(const LinkTrouble& why);
    void input_applied(const NumberedInput& numbered, Side side);
    void input_refused(InputKind kind);
    void new_game_asked(const QString& name);
    void out_of_step(uint32_t number);
    // Each time the relay has heard both the match and its watchers.
    void relay_listening(const QString& code);
    void watchers_changed(int count);
    // A watcher's: who holds the guest's seat now, empty when nobody.
    void seat_holder_changed(const QString& guest_name);
    void relay_failed(const LinkTrouble& why);
    // The hosted match's journal cannot be written: the match goes on, but
    // would not be resumed. Told once a match.
    void journal_failed(const QString& why);
    // A guest's lost connection: each try to join again by itself, from 1 on.
    void rejoin_tried(int tries);
    // connected() has changed: a caught-up guest counts as there only once
    // its table agrees with the host's, which no other signal tells.
    void connected_changed();

private:
    // A connection that has not yet sent its opening line.
    struct Opening {
        LineTransport* transport;
        int64_t since;
        QHostAddress from;  // null over a relay
        bool watch_only = false;  // over a relay's watch code
    };

    int64_t now() const { return clock_.elapsed(); }
    void upkeep();
    bool admits_opening(const QHostAddress& from) const;
    void take_connection(LineTransport* transport, const QHostAddress& from, bool watch_only = false);
    void host_on_relay(const RelayAddress& address, const QString& name, const RelayCodes& codes);
    void listen_on_relay(const RelayAddress& address, const QString& code, bool watch_only);
    void relay_heard(bool watch_only, const QString& code);
    std::optional<Audience::WatcherId> watcher_of(LineTransport* transport) const;
    void admit_watcher(LineTransport* transport);
    void flush_watchers();
    void forget_watcher(Audience::WatcherId id);
    void answer_opening(LineTransport* transport, const std::string& first_line);
    void drop_opening(LineTransport* transport, std::optional<ByeReason> say);
    void forget_opening(LineTransport* transport);
    void drop_late_openings();
    void start_hosting(const QString& name, const JournalPlace& place);
    void connect_to_host(std::optional<std::string> seat_token);
    void open_to_host(const HostPlace& place, const QString& name, bool to_watch);
    void not_answered(const LinkTrouble& why);
    void guest_connection_ended(EndReason reason);
    void try_again_later();
    void stop_rejoining();
    void start_session(MatchSession& session);
    void wire(LineTransport* transport);
    // Sends what the session has to say, closes when it says so, and tells what happened.
    void flush();
    void tell(const SessionEvent& event);
    void tell_journal_failure();
    void release_transport();
    void start_announcing();
    void announce();

    MatchTable& table_;
    QElapsedTimer clock_;
    QTimer upkeep_timer_;
    std::optional<HostSession> host_;
    std::string journal_path_;
    std::unique_ptr<JournalFile> journal_;  // the hosted match's, when kept
    bool journal_failure_told_ = false;
    bool connected_told_ = false;
    std::optional<GuestSession> guest_;
    MatchSession* session_ = nullptr;  // the host's or the guest's, whichever plays
    QObject* listener_ = nullptr;  // TCP's or the relay's, whichever hosts
    LineTransport* transport_ = nullptr;  // the seated guest's, or the guest's to its host
    bool hold_remote_inputs_ = false;
    std::vector<Opening> openings_;
    std::map<Audience::WatcherId, LineTransport*> watcher_transports_;
    Audience::WatcherId last_watcher_id_ = 0;
    bool watch_place_ = false;
    // Since when a guest whose connection was lost joins again by itself.
    std::optional<int64_t> rejoin_since_;
    int rejoin_tries_ = 0;
    QTimer rejoin_timer_;
    HostPlace join_place_;
    QString name_;
    quint16 hosting_port_ = 0;
    bool over_relay_ = false;
    QString match_code_;
    QString watch_code_;
    // Over a relay: the watchers' listener, beside the guests'.
    QObject* watch_listener_ = nullptr;
    QUdpSocket announcer_;
    QTimer announce_timer_;
    std::optional<std::pair<QHostAddress, quint16>> announce_to_;
};
