#include "net/relay/relay_keys.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <algorithm>

namespace {

constexpr qsizetype ID_HEX_DIGITS = 32;
constexpr qsizetype CONNECTION_HEX_DIGITS = 16;

QByteArray sha256(const QString& text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}

QByteArray match_prefix(const QByteArray& id) { return "corvenne/1/" + id + '/'; }

bool is_connection(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

RelayKeys derive_relay_keys(const QString& code)
{
    return {sha256(QStringLiteral("corvenne relay match ") + code).toHex().left(ID_HEX_DIGITS),
            sha256(QStringLiteral("corvenne relay key ") + code)};
}

QByteArray draw_relay_connection()
{
    const quint64 bits = QRandomGenerator::system()->generate64();
    return QByteArray::number(bits, 16).rightJustified(CONNECTION_HEX_DIGITS, '0');
}

QByteArray relay_topic(const QByteArray& id, RelaySide from, const QByteArray& connection)
{
    return match_prefix(id) + static_cast<char>(from) + '/' + connection;
}

QByteArray every_guest_topic(const QByteArray& id) { return match_prefix(id) + "g/+"; }

std::optional<RelayTopic> read_relay_topic(const QByteArray& id, const QByteArray& topic)
{
    const QByteArray prefix = match_prefix(id);
    // The side's letter and a slash, then the connection.
    if (!topic.startsWith(prefix) || topic.size() != prefix.size() + 2 + CONNECTION_HEX_DIGITS ||
        topic[prefix.size() + 1] != '/')
        return std::nullopt;
    const char side = topic[prefix.size()];
    const QByteArray connection = topic.last(CONNECTION_HEX_DIGITS);
    if ((side != 'g' && side != 'h') || !is_connection(connection)) return std::nullopt;
    return RelayTopic{static_cast<RelaySide>(side), connection};
}
