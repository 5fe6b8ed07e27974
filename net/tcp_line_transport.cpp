#include "net/tcp_line_transport.h"

#include <QTcpSocket>

#include "protocol/protocol_limits.h"
#include "net/socket_failure.h"

namespace {

// A peer that leaves this much unread is not playing; nothing more is queued for it.
constexpr qint64 MAX_UNSENT_BYTES = 1 << 20;
// Closing waits this long for what was sent to go out.
constexpr int CLOSE_WAIT_MS = 5'000;

}  // namespace

TcpLineTransport::TcpLineTransport(QTcpSocket* socket, QObject* parent) : LineTransport(parent), socket_(socket)
{
    socket_->setParent(this);
    // A line goes out at once, not gathered with the next: an input is a few bytes.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    deadline_.setSingleShot(true);
    connect(socket_, &QTcpSocket::readyRead, this, &TcpLineTransport::read_lines);
    // Told once the caller is done: a write that fails ends the connection,
    // and its owner may be in the middle of sending.
    connect(socket_, &QTcpSocket::disconnected, this, [this] { end({LinkTrouble::Kind::closed}); },
            Qt::QueuedConnection);
    connect(socket_, &QTcpSocket::errorOccurred, this,
            [this] { end({LinkTrouble::Kind::socket_error, {}, 0, socket_->errorString()}); }, Qt::QueuedConnection);
}

TcpLineTransport* TcpLineTransport::connect_to(const QString& host, quint16 port, QObject* parent)
{
    auto* transport = new TcpLineTransport(new QTcpSocket, parent);
    QTcpSocket* socket = transport->socket_;
    connect(socket, &QTcpSocket::connected, transport, [transport] {
        transport->deadline_.stop();
        transport->socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit transport->opened();
    });
    // Told with where it tried.
    disconnect(socket, &QTcpSocket::errorOccurred, transport, nullptr);
    const auto failed = [transport, host, port](QAbstractSocket::SocketError error) {
        transport->end(connection_failure(error, host, port));
    };
    connect(socket, &QTcpSocket::errorOccurred, transport, failed, Qt::QueuedConnection);
    connect(&transport->deadline_, &QTimer::timeout, transport, [transport, host, port] {
        transport->end(connection_failure(QAbstractSocket::SocketTimeoutError, host, port));
    });
    transport->deadline_.start(static_cast<int>(SILENCE_LIMIT_MS));
    socket->connectToHost(host, port);
    return transport;
}

void TcpLineTransport::send_line(const std::string& line)
{
    if (ended_ || released_) return;
    if (socket_->bytesToWrite() > MAX_UNSENT_BYTES) {
        // Told once the caller is done, not in the middle of its sending.
        ended_ = true;
        silent_ = true;
        QMetaObject::invokeMethod(this, [this] { emit ended({LinkTrouble::Kind::not_reading}); },
                                  Qt::QueuedConnection);
        return;
    }
    socket_->write(line.data(), static_cast<qint64>(line.size()));
    socket_->write("\n", 1);
    // Out at once, not at the next turn of the event loop: that is when the other side sees it.
    socket_->flush();
}

void TcpLineTransport::close()
{
    if (released_) return;
    released_ = true;
    silent_ = true;
    disconnect(socket_, nullptr, this, nullptr);
    disconnect(&deadline_, nullptr, nullptr, nullptr);
    if (socket_->state() == QAbstractSocket::UnconnectedState) {
        deleteLater();
        return;
    }
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(&deadline_, &QTimer::timeout, this, &QObject::deleteLater);
    deadline_.start(CLOSE_WAIT_MS);
    // The last lines, a goodbye among them, go out now: the program may be ending.
    socket_->flush();
    socket_->disconnectFromHost();
}

qint64 TcpLineTransport::unsent_bytes() const
{
    return socket_->bytesToWrite();
}

// A piece of at most a line at a time, each piece's lines taken before the
// next, so that what waits stays within two lines.
void TcpLineTransport::read_lines()
{
    while (!silent_ && socket_->bytesAvailable() > 0) {
        framer_.add(socket_->read(static_cast<qint64>(MAX_LINE_BYTES)).toStdString());
        while (!silent_) {
            const std::optional<std::string> line = framer_.next_line();
            if (!line) break;
            emit line_arrived(*line);
        }
        if (!silent_ && framer_.fault() != LineFramer::Fault::none) {
            silent_ = true;
            emit framing_broken();
        }
    }
}

void TcpLineTransport::end(const LinkTrouble& why)
{
    if (silent_) return;
    silent_ = true;
    ended_ = true;
    deadline_.stop();
    socket_->abort();
    emit ended(why);
}

TcpGuestListener::TcpGuestListener(Admits admits, QObject* parent) : QObject(parent), admits_(std::move(admits))
{
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            const QHostAddress from = socket->peerAddress();
            if (admits_(from)) {
                emit guest_arrived(new TcpLineTransport(socket), from);
            } else {
                socket->abort();
                delete socket;
            }
        }
    });
}

bool TcpGuestListener::listen(const QHostAddress& address, quint16 port, LinkTrouble& why)
{
    if (server_.listen(address, port)) return true;
    why = hosting_failure(server_.serverError(), port);
    return false;
}
