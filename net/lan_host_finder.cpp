#include "net/lan_host_finder.h"

#include <QNetworkDatagram>

#include "protocol/protocol_limits.h"

namespace {

constexpr int EXPIRY_CHECK_MS = 1000;

}  // namespace

LanHostFinder::LanHostFinder(QObject* parent) : QObject(parent)
{
    clock_.start();
    connect(&socket_, &QUdpSocket::readyRead, this, &LanHostFinder::read_datagrams);
    connect(&expiry_, &QTimer::timeout, this, &LanHostFinder::hosts_changed);
}

bool LanHostFinder::listen(const QHostAddress& address, quint16 port)
{
    if (!socket_.bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) return false;
    expiry_.start(EXPIRY_CHECK_MS);
    return true;
}

void LanHostFinder::read_datagrams()
{
    while (socket_.hasPendingDatagrams()) {
        // A datagram longer than a line is no announcement; it is read short and refused.
        const QNetworkDatagram datagram = socket_.receiveDatagram(static_cast<qint64>(MAX_LINE_BYTES));
        const QByteArray bytes = datagram.data();
        const std::optional<HostAnnouncement> announcement =
            parse_announcement(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!announcement) continue;
        heard_.heard(datagram.senderAddress().toString().toStdString(), *announcement, clock_.elapsed());
        emit hosts_changed();
    }
}
