#include "app/settings.h"

#include <QSettings>

namespace {

const QString ORGANISATION = QStringLiteral("Corvenne");
const QString APPLICATION = QStringLiteral("Corvenne");
const QString OPPONENT = QStringLiteral("opponent");
const QString SHOW_PLAYERS = QStringLiteral("show_players");
const QString SOUND = QStringLiteral("sound");
const QString NAME = QStringLiteral("name");

}  // namespace

PlayerChoices remembered_choices()
{
    const QSettings settings(ORGANISATION, APPLICATION);
    PlayerChoices choices;
    // A word written by hand that the game does not know leaves the default.
    choices.second_player = seat_from_word(settings.value(OPPONENT).toString()).value_or(Seat{});
    choices.show_players = settings.value(SHOW_PLAYERS, false).toBool();
    choices.sound = settings.value(SOUND, false).toBool();
    return choices;
}

void remember_second_player(const Seat& seat)
{
    QSettings(ORGANISATION, APPLICATION).setValue(OPPONENT, word_of(seat));
}

void remember_show_players(bool show)
{
    QSettings(ORGANISATION, APPLICATION).setValue(SHOW_PLAYERS, show);
}

void remember_sound(bool on)
{
    QSettings(ORGANISATION, APPLICATION).setValue(SOUND, on);
}

QString remembered_network_name()
{
    return QSettings(ORGANISATION, APPLICATION).value(NAME).toString();
}

void remember_network_name(const QString& name)
{
    QSettings(ORGANISATION, APPLICATION).setValue(NAME, name);
}
