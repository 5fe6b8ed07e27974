#include "net/relay/relay_line_transport.h"

#include <QPointer>

#include "net/relay/broker_client.h"

namespace {

// A guest's opening unanswered this long is sent again over a new
// connection: the host may have been away from the relay when it came.
constexpr int OPEN_AGAIN_AFTER_MS = 3'000;
constexpr int NO_ANSWER_AFTER_MS = 10'000;
// The relay out of reach this long ends the connection.
constexpr int RELAY_AWAY_LIMIT_MS = 10'000;
// Closing waits this long for what was sent to be acknowledged by the relay.
constexpr int CLOSE_WAIT_MS = 5'000;
// The guest connections a host remembers, the oldest forgotten first: a guest
// opens a new one at most every 3 s.
constexpr std::size_t MAX_REMEMBERED_CONNECTIONS = 4'096;

RelaySide other(RelaySide side) { return side == RelaySide::guest ? RelaySide::host : RelaySide::guest; }

// A connection to the relay that hears nothing but what is signed for the match.
std::shared_ptr<BrokerClient> match_client(const RelayAddress& address, const RelayKeys& keys)
{
    return std::make_shared<BrokerClient>(address, [keys](const QByteArray& topic, const QByteArray& payload) {
        return signed_for_match(keys, topic, payload);
    });
}

}  // namespace

RelayLineTransport::RelayLineTransport(std::shared_ptr<BrokerClient> client, const RelayKeys& keys, RelaySide side,
                                       const QByteArray& connection, QObject* parent)
    : LineTransport(parent), client_(std::move(client)), keys_(keys), side_(side), connection_(connection),
      signer_({keys.key, side, connection}), checker_({keys.key, other(side), connection}),
      relay_trouble_(client_->unreachable())
{
    relay_away_.setSingleShot(true);
    relay_away_.setInterval(RELAY_AWAY_LIMIT_MS);
    connect(&relay_away_, &QTimer::timeout, this, [this] { end(relay_trouble_); });
    if (!client_->connected()) relay_away_.start();
    connect(client_.get(), &BrokerClient::link_changed, this, [this](bool connected) {
        if (connected) return relay_away_.stop();
        // The broker keeps nothing of a connection that ends: what either side
        // sends until both are back on it is gone. A guest in the match joins
        // again at once rather than when the gap shows.
        if (side_ == RelaySide::guest && answered_) return end(relay_trouble_);
        if (!relay_away_.isActive()) relay_away_.start();
    });
    connect(client_.get(), &BrokerClient::link_failed, this, [this](const LinkTrouble& why, bool lasting) {
        relay_trouble_ = why;
        if (lasting) end(why);
    });
    connect(client_.get(), &BrokerClient::message_arrived, this, [this](const QByteArray& topic, const QByteArray& payload) {
        if (topic == incoming_topic())
            take(payload);
        else if (!answered_)
            take_late_answer(topic, payload);
    });
}

RelayLineTransport* RelayLineTransport::connect_to(const RelayAddress& address, const RelayKeys& keys, QObject* parent)
{
    auto* transport = new RelayLineTransport(match_client(address, keys), keys, RelaySide::guest,
                                             draw_relay_connection(), parent);
    transport->open_again_.setSingleShot(true);
    transport->open_again_.setInterval(OPEN_AGAIN_AFTER_MS);
    connect(&transport->open_again_, &QTimer::timeout, transport, &RelayLineTransport::open_again);
    transport->no_answer_.setSingleShot(true);
    transport->no_answer_.setInterval(NO_ANSWER_AFTER_MS);
    connect(&transport->no_answer_, &QTimer::timeout, transport, [transport] {
        transport->end({LinkTrouble::Kind::no_game_with_code});
    });
    connect(transport->client_.get(), &BrokerClient::subscribed, transport, &RelayLineTransport::on_subscribed);
    transport->client_->subscribe(transport->incoming_topic());
    return transport;
}

void RelayLineTransport::use_connection(const QByteArray& connection)
{
    connection_ = connection;
    signer_ = LineSigner({keys_.key, side_, connection});
    checker_ = LineChecker({keys_.key, other(side_), connection});
}

QByteArray RelayLineTransport::incoming_topic() const { return relay_topic(keys_.id, other(side_), connection_); }

QByteArray RelayLineTransport::outgoing_topic() const { return relay_topic(keys_.id, side_, connection_); }

void RelayLineTransport::send_line(const std::string& line)
{
    if (ended_ || released_) return;
    if (side_ == RelaySide::guest && opening_.empty()) {
        opening_ = line;
        open_again_.start();
    }
    client_->publish(outgoing_topic(), signer_.sign(line));
}

void RelayLineTransport::close()
{
    if (released_) return;
    released_ = true;
    silent_ = true;
    disconnect(client_.get(), nullptr, this, nullptr);
    relay_away_.stop();
    open_again_.stop();
    no_answer_.stop();
    // The last lines, a goodbye among them, are acknowledged by the relay
    // before a guest's connection to it goes with this transport.
    if (client_->unacknowledged() == 0 || !client_->connected()) {
        deleteLater();
        return;
    }
    connect(client_.get(), &BrokerClient::acknowledged, this, [this] {
        if (client_->unacknowledged() == 0) deleteLater();
    });
    QTimer::singleShot(CLOSE_WAIT_MS, this, &QObject::deleteLater);
}

void RelayLineTransport::take(const QByteArray& payload)
{
    if (silent_) return;
    LineChecker::Result result = checker_.check(payload);
    switch (result.verdict) {
    case LineChecker::Verdict::drop:
        return;
    case LineChecker::Verdict::lost:
        end({LinkTrouble::Kind::relay_lines_lost});
        return;
    case LineChecker::Verdict::broken:
        silent_ = true;
        emit framing_broken();
        return;
    case LineChecker::Verdict::take:
        if (!answered_) forget_earlier_openings();
        answered_ = true;
        open_again_.stop();
        no_answer_.stop();
        emit line_arrived(result.line);
        return;
    }
}

// The host may have answered an opening sent over an earlier connection
// after this side had given up waiting on it: that answer is the one.
void RelayLineTransport::take_late_answer(const QByteArray& topic, const QByteArray& payload)
{
    for (const Attempt& attempt : earlier_) {
        if (topic != relay_topic(keys_.id, other(side_), attempt.connection)) continue;
        LineChecker checker({keys_.key, other(side_), attempt.connection});
        if (checker.check(payload).verdict == LineChecker::Verdict::drop) return;
        const LineSigner signer = attempt.signer;
        client_->unsubscribe(incoming_topic());
        use_connection(attempt.connection);
        signer_ = signer;
        resend_opening_ = false;
        return take(payload);
    }
}

void RelayLineTransport::forget_earlier_openings()
{
    for (const Attempt& attempt : earlier_)
        if (attempt.connection != connection_)
            client_->unsubscribe(relay_topic(keys_.id, other(side_), attempt.connection));
    earlier_.clear();
}

// A guest's subscription is acknowledged at the opening, after each new
// connection, and after each time the relay was lost and found.
void RelayLineTransport::on_subscribed(const QByteArray& topic)
{
    if (silent_ || topic != incoming_topic()) return;
    if (!opened_) {
        opened_ = true;
        no_answer_.start();
        emit opened();
    } else if (resend_opening_) {
        resend_opening_ = false;
        client_->publish(outgoing_topic(), signer_.sign(opening_));
        open_again_.start();
    }
}

void RelayLineTransport::open_again()
{
    if (answered_ || silent_) return;
    // The earlier connection is still heard: its answer may be on the way.
    earlier_.push_back({connection_, signer_});
    use_connection(draw_relay_connection());
    resend_opening_ = true;
    client_->subscribe(incoming_topic());
}

void RelayLineTransport::end(const LinkTrouble& why)
{
    if (silent_) return;
    silent_ = true;
    ended_ = true;
    relay_away_.stop();
    open_again_.stop();
    no_answer_.stop();
    emit ended(why);
}

void RelayGuestListener::listen(const RelayAddress& address, const RelayKeys& keys)
{
    keys_ = keys;
    accepting_ = true;
    client_ = match_client(address, keys);
    const QByteArray guests = every_guest_topic(keys.id);
    connect(client_.get(), &BrokerClient::subscribed, this, [this, guests](const QByteArray& topic) {
        if (topic == guests) emit listening();
    });
    connect(client_.get(), &BrokerClient::link_failed, this,
            [this](const LinkTrouble& why) { emit relay_failed(why); });
    connect(client_.get(), &BrokerClient::message_arrived, this, &RelayGuestListener::hear);
    client_->subscribe(guests);
}

// A new connection counts once its first line is signed for it; anything
// else on the match's guest topics is dropped without a trace.
void RelayGuestListener::hear(const QByteArray& topic, const QByteArray& payload)
{
    if (!accepting_) return;
    const std::optional<RelayTopic> where = read_relay_topic(keys_.id, topic);
    if (!where || where->from != RelaySide::guest || heard_.contains(where->connection)) return;
    LineChecker checker({keys_.key, RelaySide::guest, where->connection});
    LineChecker::Result first = checker.check(payload);
    if (first.verdict == LineChecker::Verdict::drop) return;
    remember(where->connection);
    if (first.verdict != LineChecker::Verdict::take) return;

    QPointer<RelayLineTransport> transport =
        new RelayLineTransport(client_, keys_, RelaySide::host, where->connection, nullptr);
    transport->checker_ = checker;
    emit guest_arrived(transport);
    if (transport && !transport->silent_) emit transport->line_arrived(first.line);
}

void RelayGuestListener::remember(const QByteArray& connection)
{
    heard_.insert(connection);
    heard_order_.push_back(connection);
    if (heard_order_.size() > MAX_REMEMBERED_CONNECTIONS) {
        heard_.remove(heard_order_.front());
        heard_order_.pop_front();
    }
}
