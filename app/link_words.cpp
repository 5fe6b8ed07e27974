#include "app/link_words.h"

#include "app/network_words.h"
#include "protocol/host_address.h"
#include "protocol/protocol_limits.h"

namespace {

QString where(const LinkTrouble& trouble)
{
    return QString::fromStdString(host_and_port_text({trouble.host.toStdString(), trouble.port}));
}

QString connection_words(const LinkTrouble& trouble)
{
    using Kind = LinkTrouble::Kind;
    switch (trouble.kind) {
    case Kind::nobody_answers:
        return NetworkWords::tr("Nobody answers at %1: is the game hosting there, and is its port open?")
            .arg(where(trouble));
    case Kind::unknown_host:
        return NetworkWords::tr("No computer is known as %1: is the address right?").arg(trouble.host);
    case Kind::no_network:
        return NetworkWords::tr("The network does not reach %1: is this computer connected?").arg(where(trouble));
    case Kind::cut:
        return NetworkWords::tr("The connection to %1 was cut: is the game hosting there?").arg(where(trouble));
    default:
        return NetworkWords::tr("No connection to %1: is the game hosting there, and is its port open?")
            .arg(where(trouble));
    }
}

QString hosting_words(const LinkTrouble& trouble)
{
    switch (trouble.kind) {
    case LinkTrouble::Kind::port_in_use:
        return NetworkWords::tr("Port %1 is in use on this computer: is a game hosting already? Choose another port.")
            .arg(trouble.port);
    case LinkTrouble::Kind::port_forbidden:
        return NetworkWords::tr("This computer does not let a game host on port %1: choose a port above 1023.")
            .arg(trouble.port);
    default: return NetworkWords::tr("This computer cannot host on port %1: choose another port.").arg(trouble.port);
    }
}

QString relay_words(const LinkTrouble& trouble)
{
    switch (trouble.kind) {
    case LinkTrouble::Kind::relay_not_tls:
        return NetworkWords::tr("The relay %1 does not speak TLS: is it an mqtt:// relay?").arg(where(trouble));
    case LinkTrouble::Kind::relay_certificate:
        return NetworkWords::tr("The relay %1 fails its secure connection (TLS): its certificate does not verify")
            .arg(where(trouble));
    case LinkTrouble::Kind::no_game_with_code:
        return NetworkWords::tr("No game answers with this code: check it with your friend");
    case LinkTrouble::Kind::relay_lines_lost: return NetworkWords::tr("Lines were lost on the relay");
    default: return NetworkWords::tr("The relay %1 cannot be reached: is the address right?").arg(where(trouble));
    }
}

}  // namespace

QString link_words(const LinkTrouble& trouble)
{
    using Kind = LinkTrouble::Kind;
    switch (trouble.kind) {
    case Kind::nobody_answers:
    case Kind::unknown_host:
    case Kind::no_network:
    case Kind::cut:
    case Kind::no_connection: return connection_words(trouble);
    case Kind::closed: return NetworkWords::tr("the connection closed");
    case Kind::not_reading: return NetworkWords::tr("the other side reads nothing");
    case Kind::socket_error: return trouble.detail;
    case Kind::port_in_use:
    case Kind::port_forbidden:
    case Kind::port_refused: return hosting_words(trouble);
    case Kind::relay_unreachable:
    case Kind::relay_not_tls:
    case Kind::relay_certificate:
    case Kind::no_game_with_code:
    case Kind::relay_lines_lost: return relay_words(trouble);
    case Kind::journal_without_relay: return NetworkWords::tr("The match's journal names no relay.");
    case Kind::journal_not_replayable: return NetworkWords::tr("The match's journal does not play as it was played.");
    }
    return {};
}

QString relay_address_hint()
{
    return NetworkWords::tr("A relay is a host, or a host and a port: relay.example.org:8883");
}

QString host_address_hint()
{
    return NetworkWords::tr("An address is a host, or a host and a port: anna.local:%1; a match code is ten letters "
                            "and digits: 7K3QM-2B9XD")
        .arg(DEFAULT_PORT);
}

QString reaching_relay_text()
{
    return NetworkWords::tr("Reaching the relay\u2026");
}

QString hosting_here_text(const QStringList& addresses, quint16 port)
{
    const QString where =
        addresses.isEmpty() ? NetworkWords::tr("no network address") : addresses.join(QStringLiteral(", "));
    return NetworkWords::tr("This computer: %1, port %2\nWaiting for a player\u2026").arg(where).arg(port);
}

QString hosting_code_text(const QString& relay)
{
    return NetworkWords::tr("Give this code to your friend\nRelay: %1\nWaiting for a player\u2026").arg(relay);
}

QString connecting_text()
{
    return NetworkWords::tr("Connecting\u2026");
}
