#include "net/socket_failure.h"

#include "protocol/host_address.h"

QString connection_failure(QAbstractSocket::SocketError error, const QString& host, quint16 port)
{
    const QString where = QString::fromStdString(host_and_port_text({host.toStdString(), port}));
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("Nobody answers at %1: is the game hosting there, and is its port open?").arg(where);
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("No computer is known as %1: is the address right?").arg(host);
    case QAbstractSocket::NetworkError:
        return QStringLiteral("The network does not reach %1: is this computer connected?").arg(where);
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("The connection to %1 was cut: is the game hosting there?").arg(where);
    default: return QStringLiteral("No connection to %1: is the game hosting there, and is its port open?").arg(where);
    }
}

QString hosting_failure(QAbstractSocket::SocketError error, quint16 port)
{
    switch (error) {
    case QAbstractSocket::AddressInUseError:
        return QStringLiteral("Port %1 is in use on this computer: is a game hosting already? Choose another port.")
            .arg(port);
    case QAbstractSocket::SocketAccessError:
        return QStringLiteral("This computer does not let a game host on port %1: choose a port above 1023.").arg(port);
    default: return QStringLiteral("This computer cannot host on port %1: choose another port.").arg(port);
    }
}
