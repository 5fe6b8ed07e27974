#pragma once

#include <QString>
#include <utility>

// What went wrong with a connection, or with hosting one, as the network
// code saw it; the window puts it into words (`link_words`).
struct LinkTrouble {
    enum class Kind {
        // A connection to host:port that could not be opened, or was cut.
        nobody_answers,  // refused, or no answer in time
        unknown_host,
        no_network,
        cut,
        no_connection,  // any other reason
        // A connection that stood.
        closed,
        not_reading,   // the other side leaves what is sent unread
        socket_error,  // `detail` holds the system's own words
        // Hosting on `port` of this computer.
        port_in_use,
        port_forbidden,
        port_refused,
        // The relay at host:port.
        relay_unreachable,
        relay_not_tls,
        relay_certificate,
        no_game_with_code,
        relay_lines_lost,
        // A match taken up again from its journal.
        journal_without_relay,
        journal_not_replayable,
    };

    LinkTrouble() = default;
    LinkTrouble(Kind kind, QString host = {}, quint16 port = 0, QString detail = {})
        : kind(kind), host(std::move(host)), port(port), detail(std::move(detail))
    {
    }

    Kind kind = Kind::closed;
    // Where the connection went (the relay, for the relay's kinds), or the
    // port this computer cannot host on.
    QString host;
    quint16 port = 0;
    QString detail;
};
