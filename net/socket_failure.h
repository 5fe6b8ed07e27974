#pragma once

#include <QAbstractSocket>
#include <QString>

#include "net/link_trouble.h"

// Why a connection to host:port cannot be opened or was cut.
LinkTrouble connection_failure(QAbstractSocket::SocketError error, const QString& host, quint16 port);

// Why this computer cannot host on `port`.
LinkTrouble hosting_failure(QAbstractSocket::SocketError error, quint16 port);
