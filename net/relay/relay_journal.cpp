#include "net/relay/relay_journal.h"

#include "net/relay/match_code.h"

JournalRelay journal_relay(const RelayAddress& address, const RelayCodes& codes)
{
    const QString scheme = address.tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt");
    const QString text = QStringLiteral("%1://%2:%3").arg(scheme, address.host).arg(address.port);
    return {text.toStdString(), codes.match.toStdString(), codes.watch.toStdString()};
}

std::optional<KeptRelay> relay_of_journal(const JournalRelay& kept)
{
    const std::optional<RelayAddress> address = read_relay_address(QString::fromStdString(kept.address));
    if (!address) return std::nullopt;
    const QString watch = kept.watch_code.empty() ? draw_match_code() : QString::fromStdString(kept.watch_code);
    return KeptRelay{*address, {QString::fromStdString(kept.match_code), watch}};
}
