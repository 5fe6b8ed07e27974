#pragma once

#include <QAbstractSocket>
#include <QString>

// What a player is told, in words that say where and what to check, when a
// connection to host:port cannot be opened or is cut.
QString connection_failure(QAbstractSocket::SocketError error, const QString& host, quint16 port);

// What a player is told when this computer cannot host on `port`.
QString hosting_failure(QAbstractSocket::SocketError error, quint16 port);
