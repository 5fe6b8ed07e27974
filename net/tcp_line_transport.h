#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <functional>

#include "protocol/line_framer.h"
#include "net/line_transport.h"

class QTcpSocket;

// The protocol's lines over a TCP connection.
class TcpLineTransport : public LineTransport {
    Q_OBJECT

public:
    // A connection a listener has taken; it stands already.
    explicit TcpLineTransport(QTcpSocket* socket, QObject* parent = nullptr);
    // Opens a connection to host:port; `opened` or `ended` follows, within 15 s.
    static TcpLineTransport* connect_to(const QString& host, quint16 port, QObject* parent = nullptr);

    void send_line(const std::string& line) override;
    void close() override;
    qint64 unsent_bytes() const override;

private:
    void read_lines();
    void end(const LinkTrouble& why);

    QTcpSocket* socket_;
    LineFramer framer_;
    QTimer deadline_;
    bool silent_ = false;    // ended, broken or closed: nothing more is told
    bool ended_ = false;     // the connection is gone: nothing more is sent
    bool released_ = false;  // closed by its owner
};

// The host's listening port, open only while its player hosts. Every
// connection that comes is handed over at once, with the address it comes
// from, unless that address is not admitted: then it is closed at once, at
// the least cost.
class TcpGuestListener : public QObject {
    Q_OBJECT

public:
    using Admits = std::function<bool(const QHostAddress& from)>;
    explicit TcpGuestListener(Admits admits, QObject* parent = nullptr);

    // Listens on address:port; false, with why, when that cannot be had.
    bool listen(const QHostAddress& address, quint16 port, LinkTrouble& why);
    void stop() { server_.close(); }
    quint16 port() const { return server_.serverPort(); }

signals:
    // The receiver owns the transport.
    void guest_arrived(LineTransport* transport, const QHostAddress& from);

private:
    QTcpServer server_;
    Admits admits_;
};
