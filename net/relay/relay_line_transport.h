#pragma once

#include <QObject>
#include <QSet>
#include <QTimer>
#include <deque>
#include <memory>
#include <vector>

#include "net/line_transport.h"
#include "net/relay/relay_address.h"
#include "net/relay/relay_keys.h"
#include "net/relay/signed_lines.h"

class BrokerClient;

// Aims a second over a relay. Each line through the broker costs about 100
// bytes each way, so 10 a second keeps a shot with 3 s of aiming under 4 KB.
inline constexpr int RELAY_AIMS_PER_SECOND = 10;

// The protocol's lines over a relay: one connection of a match, each line a
// signed message on the connection's topic. A message that is not the
// match's next line, signed with the match's key, changes nothing.
class RelayLineTransport : public LineTransport {
    Q_OBJECT

public:
    // A guest's connection to the match of `keys`: `opened` once the relay
    // has acknowledged its subscription, or `ended`. An opening line that
    // gets no answer within 3 s is sent again over a new connection, until
    // 10 s have passed; an answer that comes late over an earlier one is
    // taken all the same, and that one is the connection.
    static RelayLineTransport* connect_to(const RelayAddress& address, const RelayKeys& keys,
                                          QObject* parent = nullptr);

    void send_line(const std::string& line) override;
    void close() override;

private:
    friend class RelayGuestListener;

    RelayLineTransport(std::shared_ptr<BrokerClient> client, const RelayKeys& keys, RelaySide side,
                       const QByteArray& connection, QObject* parent);
    void use_connection(const QByteArray& connection);
    QByteArray incoming_topic() const;
    QByteArray outgoing_topic() const;
    void take(const QByteArray& payload);
    void take_late_answer(const QByteArray& topic, const QByteArray& payload);
    void forget_earlier_openings();
    void on_subscribed(const QByteArray& topic);
    void open_again();
    void end(const LinkTrouble& why);

    std::shared_ptr<BrokerClient> client_;
    RelayKeys keys_;
    RelaySide side_;  // this end's
    QByteArray connection_;
    LineSigner signer_;
    LineChecker checker_;
    QTimer relay_away_;  // runs while the relay is out of reach
    LinkTrouble relay_trouble_;

    // A guest's opening, and the connections it was sent over before this one.
    struct Attempt {
        QByteArray connection;
        LineSigner signer;
    };
    std::string opening_;
    std::vector<Attempt> earlier_;
    bool answered_ = false;
    bool opened_ = false;
    bool resend_opening_ = false;
    QTimer open_again_;
    QTimer no_answer_;

    bool silent_ = false;    // ended, broken or closed: nothing more is told
    bool ended_ = false;     // nothing more is sent
    bool released_ = false;  // closed by its owner
};

// A host's guests on the relay, while its player hosts: every new guest
// connection of the match is handed over once its first line proves it
// signed with the match's key.
class RelayGuestListener : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // `listening` follows once the relay has acknowledged the subscription,
    // and again after every time the relay was lost and found.
    void listen(const RelayAddress& address, const RelayKeys& keys);
    // No more guests are handed over; those handed over go on.
    void stop() { accepting_ = false; }

signals:
    void listening();
    // The receiver owns the transport.
    void guest_arrived(LineTransport* transport);
    // The relay could not be reached, or was lost; it is tried again unless TLS failed.
    void relay_failed(const LinkTrouble& why);

private:
    void hear(const QByteArray& topic, const QByteArray& payload);
    void remember(const QByteArray& connection);

    std::shared_ptr<BrokerClient> client_;
    RelayKeys keys_;
    bool accepting_ = false;
    // Connections already handed over (or signed but broken from their
    // start): never a new guest again, whatever is replayed on them.
    QSet<QByteArray> heard_;
    std::deque<QByteArray> heard_order_;
};
