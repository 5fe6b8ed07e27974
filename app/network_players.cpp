#include "app/network_players.h"

#include "app/network_seat.h"

QString NetworkPlayer::name(int player) const
{
    return network_.player_name(player);
}

QString NetworkPlayer::panel_text(int player) const
{
    return network_.panel_text(player);
}

bool RemoteSeat::has_cue() const
{
    return network_.remote_has_cue();
}

void RemoteSeat::turn_begins()
{
    network_.table_changed();
}

// The other side sees the aim too.
void OwnSeat::move(int x, int y)
{
    if (!network_.connected()) return;
    window_hands_.move(x, y);
    network_.aim(x, y);
}

void OwnSeat::press(int x, int y)
{
    network_.press(x, y);
}

void OwnSeat::undo()
{
    network_.play(Input{InputKind::undo});
}

void OwnSeat::new_game()
{
    network_.play(Input{InputKind::new_game});
}

// A watcher plays neither: the remote seat holds both players.
std::optional<PlayerSeats> NetworkMatchSeats::seats()
{
    if (!network_.engaged()) return std::nullopt;
    PlayerSeats seats{&remote_, &remote_};
    if (const int own = network_.own_player()) seats.at(own - 1) = &own_;
    return seats;
}
