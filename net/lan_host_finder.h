#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <vector>

#include "protocol/hosts_heard.h"

// Listens for the announcements of hosts waiting on the local network and
// lists those heard in the last 6 s.
class LanHostFinder : public QObject {
    Q_OBJECT

public:
    explicit LanHostFinder(QObject* parent = nullptr);

    // A guest listens on any address, port 47147. False when the port cannot be had.
    bool listen(const QHostAddress& address, quint16 port);
    std::vector<HeardHost> hosts() const { return heard_.current(clock_.elapsed()); }
    quint16 port() const { return socket_.localPort(); }

signals:
    // A host was heard, or one has not been heard for too long.
    void hosts_changed();

private:
    void read_datagrams();

    QUdpSocket socket_;
    QElapsedTimer clock_;
    QTimer expiry_;
    HostsHeard heard_;
};
