#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "net/link_trouble.h"

// One connection that carries the protocol's lines, whatever carries them: a
// TCP socket (TcpLineTransport) or a relay through a message broker
// (RelayLineTransport). The sessions never see what is underneath.
class LineTransport : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Sends one line; its end is added.
    virtual void send_line(const std::string& line) = 0;
    // Closes once what was sent has gone out. Nothing is told any more, and
    // the transport deletes itself.
    virtual void close() = 0;
    // Bytes sent but not yet taken by the other side's end, as far as this side knows.
    virtual qint64 unsent_bytes() const { return 0; }

signals:
    // A connection that was being opened stands.
    void opened();
    // A whole line, without its end, within the protocol's length and UTF-8.
    void line_arrived(const std::string& line);
    // A line too long or not UTF-8 came; nothing more arrives.
    void framing_broken();
    // The connection could not be opened, or has ended.
    void ended(const LinkTrouble& why);
};
