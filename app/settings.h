#pragma once

#include <QString>

#include "app/seat.h"
#include "protocol/protocol_limits.h"

// What the player chose in the menus and the game remembers between runs.
// Nothing is written until the player changes a choice.
struct PlayerChoices {
    Seat second_player;
    bool show_players = false;
    bool sound = false;
};

PlayerChoices remembered_choices();
void remember_second_player(const Seat& seat);
void remember_show_players(bool show);
void remember_sound(bool on);

// What the host and join dialogs offer: each as it was in the last network
// game that started with it.
struct NetworkChoices {
    QString name;
    quint16 port = DEFAULT_PORT;
    bool over_internet = false;
    // The relay for play over the internet, as the player wrote it: HOST[:PORT].
    QString relay;
    QString host;  // the last host joined: HOST[:PORT]
};

NetworkChoices remembered_network_choices();
// Writes only the choices that differ from those remembered.
void remember_network_choices(const NetworkChoices& choices);
