#include "net/relay/signed_lines.h"

#include <QMessageAuthenticationCode>

#include "match/utf8.h"

namespace {

constexpr qsizetype MAC_HEX_DIGITS = 16;
// Far beyond any match's count of lines, and within what a uint64_t holds.
constexpr qsizetype MAX_COUNT_DIGITS = 18;

std::optional<uint64_t> read_count(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > MAX_COUNT_DIGITS || text.front() == '0') return std::nullopt;
    uint64_t count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + static_cast<uint64_t>(c - '0');
    }
    return count;
}

bool is_signed(const RelayChannel& channel, const SignedLine& message)
{
    return message.mac == relay_line_mac(channel, message.count, message.line);
}

}  // namespace

QByteArray relay_line_mac(const RelayChannel& channel, uint64_t count, const std::string& line)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, channel.key);
    mac.addData(QByteArray(1, static_cast<char>(channel.side)) + ' ' + channel.connection + ' ' +
                QByteArray::number(static_cast<qulonglong>(count)) + ' ');
    mac.addData(line.data(), static_cast<qsizetype>(line.size()));
    return mac.result().toHex().left(MAC_HEX_DIGITS);
}

std::optional<SignedLine> read_signed_line(const QByteArray& payload)
{
    const qsizetype count_end = payload.indexOf(' ');
    const qsizetype mac_end = count_end + 1 + MAC_HEX_DIGITS;
    if (count_end < 0 || payload.size() <= mac_end || payload[mac_end] != ' ') return std::nullopt;
    const std::optional<uint64_t> count = read_count(QByteArrayView(payload).first(count_end));
    if (!count) return std::nullopt;
    return SignedLine{*count, payload.sliced(count_end + 1, MAC_HEX_DIGITS), payload.sliced(mac_end + 1).toStdString()};
}

bool signed_for_match(const RelayKeys& keys, const QByteArray& topic, const QByteArray& payload)
{
    const std::optional<RelayTopic> where = read_relay_topic(keys.id, topic);
    const std::optional<SignedLine> message = read_signed_line(payload);
    return where && message && is_signed({keys.key, where->from, where->connection}, *message);
}

QByteArray LineSigner::sign(const std::string& line)
{
    ++sent_;
    return QByteArray::number(static_cast<qulonglong>(sent_)) + ' ' + relay_line_mac(channel_, sent_, line) + ' ' +
           QByteArray(line.data(), static_cast<qsizetype>(line.size()));
}

LineChecker::Result LineChecker::check(const QByteArray& payload)
{
    std::optional<SignedLine> message = read_signed_line(payload);
    if (!message || message->count <= taken_ || !is_signed(channel_, *message)) return {Verdict::drop, {}};
    if (message->count != taken_ + 1) return {Verdict::lost, {}};
    taken_ = message->count;
    const std::string& line = message->line;
    if (line.size() >= MAX_LINE_BYTES || line.find('\n') != std::string::npos || !is_utf8(line))
        return {Verdict::broken, {}};
    return {Verdict::take, std::move(message->line)};
}
