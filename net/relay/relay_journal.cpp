#include "net/relay/relay_journal.h"

JournalRelay journal_relay(const RelayAddress& address, const QString& code)
{
    const QString scheme = address.tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt");
    const QString text = QStringLiteral("%1://%2:%3").arg(scheme, address.host).arg(address.port);
    return {text.toStdString(), code.toStdString(), {}};
}

std::optional<std::pair<RelayAddress, QString>> relay_of_journal(const JournalRelay& kept)
{
    const std::optional<RelayAddress> address = read_relay_address(QString::fromStdString(kept.address));
    if (!address) return std::nullopt;
    return std::pair{*address, QString::fromStdString(kept.match_code)};
}
