#include "app/seats.h"

#include "app/computer_player.h"
#include "match/match_recorder.h"
#include "match/record_replay.h"
#include "match/table_hands.h"
#include "match/take_back.h"

Seats::Seats(const Seat& second_player, TableHands& hands, ComputerPlayer& computer, const MatchRecorder& recorder)
    : second_player_(second_player), hands_(hands), computer_(computer), recorder_(recorder), seats_(menu_seats())
{
    computer_.set_level(second_player_.computer);
}

PlayerSeats Seats::menu_seats()
{
    PlayerSeat* const second = second_player_.computer ? static_cast<PlayerSeat*>(&computer_) : &person_;
    return {&person_, second};
}

// A choice made while player 2 is to play takes that turn: the computer
// plays it, or a person does where the computer was at work.
void Seats::choose_second_player(const Seat& seat)
{
    second_player_ = seat;
    computer_.set_level(seat.computer);
    if (network_) return;
    seats_ = menu_seats();
    if (computer_plays()) computer_.turn_begins();
}

TableHands* Seats::persons_hands() const
{
    for (PlayerSeat* seat : seats_)
        if (TableHands* hands = seat->persons_hands()) return hands;
    return nullptr;
}

bool Seats::person_has_cue() const
{
    return !watching_ && persons_hands() && !seat_of(1).has_cue() && !seat_of(2).has_cue();
}

// The computer plays the turns it holds.
bool Seats::computer_plays() const
{
    return !watching_ && seats_[1] == &computer_;
}

void Seats::person_moved(int x, int y)
{
    computer_.mouse_seen_at(x, y);
    if (person_has_cue()) persons_hands()->move(x, y);
}

void Seats::person_pressed(int x, int y)
{
    if (person_has_cue()) persons_hands()->press(x, y);
}

void Seats::person_undo()
{
    if (computer_plays()) return take_back_from_computer();
    if (TableHands* hands = persons_hands()) hands->undo();
}

// The record without them, replayed, becomes the table, as an opened match does.
void Seats::take_back_from_computer()
{
    const std::optional<MatchRecord> shorter = without_last_shot_of(recorder_.record(), PERSON_PLAYER);
    if (!shorter) return;
    const auto replayed = replay_record(*shorter);
    if (const auto* table = std::get_if<TableSnapshot>(&replayed)) hands_.take_over(*shorter, *table);
}

void Seats::person_new_game()
{
    if (TableHands* hands = persons_hands()) hands->new_game();
}

// A seat that holds both players hears it once.
void Seats::turn_begins()
{
    if (watching_) return;
    seats_[0]->turn_begins();
    if (seats_[1] != seats_[0]) seats_[1]->turn_begins();
}

void Seats::watch(bool watching)
{
    watching_ = watching;
    if (watching)
        computer_.new_game();
    else if (computer_plays())
        computer_.turn_begins();  // the table it was left on may be its turn
}

bool Seats::network_changed(const std::optional<PlayerSeats>& network)
{
    if (network == network_) return false;
    network_ = network;
    seats_ = network_ ? *network_ : menu_seats();
    if (network_)
        computer_.new_game();
    else if (computer_plays())
        computer_.turn_begins();  // the table it was left on may be its turn
    return true;
}

bool Seats::someone_else_plays() const
{
    return !seat_of(1).persons_hands() || !seat_of(2).persons_hands();
}

int Seats::own_player() const
{
    for (const int player : {1, 2})
        if (seat_of(player).persons_hands()) return player;
    return 0;
}

bool Seats::plays_here(int player) const
{
    return !watching_ && seat_of(player).persons_hands();
}

QString Seats::player_name(int player) const
{
    return seat_of(player).panel_text(player);
}

// A host that nobody joined yet plays no one: its player 2 keeps the menu seat's name.
QString Seats::name_of(int player) const
{
    const QString name = seat_of(player).name(player);
    if (!name.isEmpty()) return name;
    return seat_name(player == COMPUTER_PLAYER ? second_player_ : Seat{}, player);
}

bool Seats::at_work(int player) const
{
    return seat_of(player).at_work();
}
