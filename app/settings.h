#pragma once

#include "app/seats.h"

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
// The player's name in a network game, as last given in a dialog.
QString remembered_network_name();
void remember_network_name(const QString& name);
// The relay for play over the internet, as the player wrote it: HOST[:PORT].
QString remembered_relay();
void remember_relay(const QString& relay);
