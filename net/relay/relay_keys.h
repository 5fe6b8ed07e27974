#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What both players derive from their match code: where the match's lines
// go on the relay, and the key that signs them. Nobody without the code can
// find the match's topics or sign a line in it.
struct RelayKeys {
    QByteArray id;   // 32 lower-case hex digits, the match's part of every topic
    QByteArray key;  // 32 bytes
};

// From a code as read_match_code gives it.
RelayKeys derive_relay_keys(const QString& code);

// The two directions of one connection on the relay.
enum class RelaySide : char { guest = 'g', host = 'h' };

// A guest's new connection: 16 lower-case hex digits from the system's
// cryptographic random source.
QByteArray draw_relay_connection();
// The topic a side publishes one connection's lines on.
QByteArray relay_topic(const QByteArray& id, RelaySide from, const QByteArray& connection);
// The topic filter of every guest connection of a match, the host's subscription.
QByteArray every_guest_topic(const QByteArray& id);

// Who publishes on a topic of a match, on which connection.
struct RelayTopic {
    RelaySide from;
    QByteArray connection;
};
// Nothing for a topic that is not one of this match's.
std::optional<RelayTopic> read_relay_topic(const QByteArray& id, const QByteArray& topic);
