#pragma once

#include <QStringList>
#include <optional>

#include "app/settings.h"
#include "protocol/protocol_limits.h"

// What the command line asks of one run.
struct RunRequest {
    std::optional<Seat> second_player;  // --opponent: for this run only
    bool show_players = false;          // --show-players: for this run only
    std::optional<bool> sound;          // --sound or --no-sound: for this run only
    QString match_file;                 // a match file to open at start
    // --host [PORT] or --join HOST[:PORT], with --name NAME: a network match at once.
    bool host = false;
    QString join_host;
    quint16 port = DEFAULT_PORT;
    QString name;
    // --join CODE: the match of a code, over the relay.
    QString join_code;
    // --relay HOST[:PORT]: the relay for this run; with --host, hosts over it.
    QString relay;
    // --resume: the hosted match that was not ended, resumed without asking.
    bool resume = false;
};

// Reads the arguments (the program's name first). --help and --version are
// answered here and end the program; a word it does not know ends it with
// status 2 and a message on standard error. The toolkit's own options, such
// as -platform NAME, are passed over: the window's application reads them.
RunRequest read_command_line(QStringList arguments);

// The remembered choices with what the command line asked for this run on top.
PlayerChoices choices_for_run(const PlayerChoices& remembered, const RunRequest& request);
