#include "net/socket_failure.h"

LinkTrouble connection_failure(QAbstractSocket::SocketError error, const QString& host, quint16 port)
{
    using Kind = LinkTrouble::Kind;
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::SocketTimeoutError: return {Kind::nobody_answers, host, port};
    case QAbstractSocket::HostNotFoundError: return {Kind::unknown_host, host, port};
    case QAbstractSocket::NetworkError: return {Kind::no_network, host, port};
    case QAbstractSocket::RemoteHostClosedError: return {Kind::cut, host, port};
    default: return {Kind::no_connection, host, port};
    }
}

LinkTrouble hosting_failure(QAbstractSocket::SocketError error, quint16 port)
{
    using Kind = LinkTrouble::Kind;
    switch (error) {
    case QAbstractSocket::AddressInUseError: return {Kind::port_in_use, {}, port};
    case QAbstractSocket::SocketAccessError: return {Kind::port_forbidden, {}, port};
    default: return {Kind::port_refused, {}, port};
    }
}
