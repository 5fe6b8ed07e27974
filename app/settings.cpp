#include "app/settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

const QString ORGANISATION = QStringLiteral("Corvenne");
const QString APPLICATION = QStringLiteral("Corvenne");
const QString OPPONENT = QStringLiteral("opponent");
const QString SHOW_PLAYERS = QStringLiteral("show_players");
const QString SOUND = QStringLiteral("sound");
const QString NAME = QStringLiteral("name");
const QString RELAY = QStringLiteral("relay");
// A public broker anyone may use, until the player names another. It sees
// the players' names and their shots, never anything else of theirs.
const QString PUBLIC_RELAY = QStringLiteral("broker.hivemq.com:8883");

// Named in full, where the settings of an organisation and an application
// would go: other settings are sent nowhere (see the Match menu).
QString settings_file()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/%1/%2.conf").arg(ORGANISATION, APPLICATION);
}

}  // namespace

PlayerChoices remembered_choices()
{
    const QSettings settings(settings_file(), QSettings::NativeFormat);
    PlayerChoices choices;
    // A word written by hand that the game does not know leaves the default.
    choices.second_player = seat_from_word(settings.value(OPPONENT).toString()).value_or(Seat{});
    choices.show_players = settings.value(SHOW_PLAYERS, false).toBool();
    choices.sound = settings.value(SOUND, false).toBool();
    return choices;
}

void remember_second_player(const Seat& seat)
{
    QSettings(settings_file(), QSettings::NativeFormat).setValue(OPPONENT, word_of(seat));
}

void remember_show_players(bool show)
{
    QSettings(settings_file(), QSettings::NativeFormat).setValue(SHOW_PLAYERS, show);
}

void remember_sound(bool on)
{
    QSettings(settings_file(), QSettings::NativeFormat).setValue(SOUND, on);
}

QString remembered_network_name()
{
    return QSettings(settings_file(), QSettings::NativeFormat).value(NAME).toString();
}

void remember_network_name(const QString& name)
{
    QSettings(settings_file(), QSettings::NativeFormat).setValue(NAME, name);
}

QString remembered_relay()
{
    return QSettings(settings_file(), QSettings::NativeFormat).value(RELAY, PUBLIC_RELAY).toString();
}

void remember_relay(const QString& relay)
{
    QSettings(settings_file(), QSettings::NativeFormat).setValue(RELAY, relay);
}
