#include "app/seats.h"

#include <array>
#include <utility>

#include "app/computer_player.h"
#include "app/network_seat.h"
#include "match/match_recorder.h"
#include "match/take_back.h"

namespace {

constexpr std::array<std::pair<const char*, ComputerLevel>, 4> LEVEL_WORDS{{
    {"easy", ComputerLevel::easy},
    {"medium", ComputerLevel::medium},
    {"hard", ComputerLevel::hard},
    {"expert", ComputerLevel::expert},
}};

const char* level_word(ComputerLevel level)
{
    for (const auto& [word, known] : LEVEL_WORDS)
        if (known == level) return word;
    return "";
}

}  // namespace

QString seat_name(const Seat& seat, int player)
{
    if (seat.computer) return QStringLiteral("Computer (%1)").arg(QString::fromLatin1(level_word(*seat.computer)));
    return QStringLiteral("Player %1").arg(player);
}

std::optional<Seat> seat_from_word(const QString& word)
{
    if (word == QLatin1String("person")) return Seat{};
    for (const auto& [known, level] : LEVEL_WORDS)
        if (word == QLatin1String(known)) return Seat{level};
    return std::nullopt;
}

QString word_of(const Seat& seat)
{
    return seat.computer ? QString::fromLatin1(level_word(*seat.computer)) : QStringLiteral("person");
}

Seats::Seats(const Seat& second_player, TableHands& hands, ComputerPlayer& computer, NetworkSeat& network,
             const MatchRecorder& recorder)
    : second_player_(second_player), hands_(hands), computer_(computer), network_(network), recorder_(recorder)
{
    computer_.set_level(second_player_.computer);
}

// A choice made while player 2 is to play takes that turn: the computer
// plays it, or a person does where the computer was at work.
void Seats::choose_second_player(const Seat& seat)
{
    second_player_ = seat;
    computer_.set_level(seat.computer);
    if (computer_plays()) computer_.turn_begins();
}

bool Seats::person_has_cue() const
{
    if (watching_) return false;
    return network_.engaged() ? !network_.remote_has_cue() : !computer_.has_cue();
}

bool Seats::computer_plays() const
{
    return !watching_ && !network_.engaged();
}

void Seats::person_moved(int x, int y)
{
    computer_.mouse_seen_at(x, y);
    if (!person_has_cue()) return;
    if (!network_.engaged()) return hands_.move(x, y);
    if (!network_.connected()) return;
    hands_.move(x, y);
    network_.aim(x, y);
}

void Seats::person_pressed(int x, int y)
{
    if (!person_has_cue()) return;
    if (network_.engaged()) return network_.press(x, y);
    hands_.press(x, y);
}

void Seats::person_undo()
{
    if (network_.engaged()) return network_.play(Input{InputKind::undo});
    if (second_player_.computer && !watching_) return take_back_from_computer();
    hands_.undo();
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
    if (network_.engaged()) return network_.play(Input{InputKind::new_game});
    hands_.new_game();
}

void Seats::turn_begins()
{
    if (computer_plays()) computer_.turn_begins();
    network_.table_changed();
}

void Seats::watch(bool watching)
{
    watching_ = watching;
    if (watching)
        computer_.new_game();
    else if (computer_plays())
        computer_.turn_begins();  // the table it was left on may be its turn
}

// While a network match lasts, the remote seat is player 2's only seat.
bool Seats::network_changed()
{
    const bool engaged = network_.engaged();
    if (engaged == network_engaged_) return false;
    network_engaged_ = engaged;
    if (engaged)
        computer_.new_game();
    else if (computer_plays())
        computer_.turn_begins();  // the table it was left on may be its turn
    return true;
}

bool Seats::someone_else_plays() const
{
    return second_player_.computer || network_.engaged();
}

int Seats::own_player() const
{
    return network_.engaged() ? network_.own_player() : PERSON_PLAYER;
}

bool Seats::plays_here(int player) const
{
    if (watching_) return false;
    if (network_.engaged()) return player == network_.own_player();
    return player == PERSON_PLAYER || !second_player_.computer;
}

QString Seats::player_name(int player) const
{
    if (network_.engaged()) return network_.panel_text(player);
    return name_of(player);
}

// A host that nobody joined yet plays no one: its player 2 keeps the seat's name.
QString Seats::name_of(int player) const
{
    if (network_.engaged()) {
        const QString name = network_.player_name(player);
        if (!name.isEmpty()) return name;
    }
    return seat_name(player == COMPUTER_PLAYER ? second_player_ : Seat{}, player);
}

bool Seats::at_work(int player) const
{
    return !network_.engaged() && player == COMPUTER_PLAYER && computer_.at_work();
}
