#include "net/relay/relay_address.h"

namespace {

constexpr quint16 PLAIN_PORT = 1883;
constexpr quint16 TLS_PORT = 8883;

}  // namespace

std::optional<RelayAddress> read_relay_address(const QString& text)
{
    QString rest = text.trimmed();
    std::optional<bool> tls;
    if (rest.startsWith(u"mqtts://")) tls = true;
    else if (rest.startsWith(u"mqtt://")) tls = false;
    if (tls) rest = rest.mid(rest.indexOf(u"//") + 2);

    RelayAddress address{rest, 0, tls.value_or(true)};
    const qsizetype colon = rest.lastIndexOf(u':');
    if (colon >= 0) {
        bool number = false;
        const uint port = rest.mid(colon + 1).toUInt(&number);
        if (!number || port == 0 || port > 65535) return std::nullopt;
        address.host = rest.left(colon);
        address.port = static_cast<quint16>(port);
        if (!tls) address.tls = address.port != PLAIN_PORT;
    } else {
        address.port = address.tls ? TLS_PORT : PLAIN_PORT;
    }
    if (address.host.isEmpty() || address.host.contains(u'/') || address.host.contains(u':') ||
        address.host.contains(u' '))
        return std::nullopt;
    return address;
}
