#include "net/relay/signed_lines.h"

#include <QMessageAuthenticationCode>
#include <optional>

#include "net/utf8.h"

namespace {

constexpr qsizetype MAC_HEX_DIGITS = 16;
// Far beyond any match's count of lines, and within what a uint64_t holds.
constexpr qsizetype MAX_COUNT_DIGITS = 18;

std::optional<uint64_t> read_count(const QByteArray& text)
{
    if (text.isEmpty() || text.size() > MAX_COUNT_DIGITS || text.front() == '0') return std::nullopt;
    uint64_t count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + static_cast<uint64_t>(c - '0');
    }
    return count;
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

QByteArray LineSigner::sign(const std::string& line)
{
    ++sent_;
    return QByteArray::number(static_cast<qulonglong>(sent_)) + ' ' + relay_line_mac(channel_, sent_, line) + ' ' +
           QByteArray(line.data(), static_cast<qsizetype>(line.size()));
}

LineChecker::Result LineChecker::check(const QByteArray& payload)
{
    const qsizetype count_end = payload.indexOf(' ');
    const qsizetype mac_end = count_end + 1 + MAC_HEX_DIGITS;
    if (count_end < 0 || payload.size() <= mac_end || payload[mac_end] != ' ') return {Verdict::drop, {}};
    const std::optional<uint64_t> count = read_count(payload.first(count_end));
    if (!count || *count <= taken_) return {Verdict::drop, {}};
    std::string line = payload.sliced(mac_end + 1).toStdString();
    if (payload.sliced(count_end + 1, MAC_HEX_DIGITS) != relay_line_mac(channel_, *count, line))
        return {Verdict::drop, {}};
    if (*count != taken_ + 1) return {Verdict::lost, {}};
    taken_ = *count;
    if (line.size() >= MAX_LINE_BYTES || line.find('\n') != std::string::npos || !is_utf8(line))
        return {Verdict::broken, {}};
    return {Verdict::take, std::move(line)};
}
