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
const QString PORT = QStringLiteral("port");
const QString OVER_INTERNET = QStringLiteral("over_internet");
const QString HOST = QStringLiteral("host");
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

NetworkChoices remembered_network_choices()
{
    const QSettings settings(settings_file(), QSettings::NativeFormat);
    NetworkChoices choices;
    choices.name = settings.value(NAME).toString();
    // A port written by hand that is none leaves the default.
    const uint port = settings.value(PORT, DEFAULT_PORT).toUInt();
    if (port >= 1 && port <= 65535) choices.port = static_cast<quint16>(port);
    choices.over_internet = settings.value(OVER_INTERNET, false).toBool();
    choices.relay = settings.value(RELAY, PUBLIC_RELAY).toString();
    choices.host = settings.value(HOST).toString();
    return choices;
}

void remember_network_choices(const NetworkChoices& choices)
{
    const NetworkChoices known = remembered_network_choices();
    QSettings settings(settings_file(), QSettings::NativeFormat);
    if (choices.name != known.name) settings.setValue(NAME, choices.name);
    if (choices.port != known.port) settings.setValue(PORT, choices.port);
    if (choices.over_internet != known.over_internet) settings.setValue(OVER_INTERNET, choices.over_internet);
    if (choices.relay != known.relay) settings.setValue(RELAY, choices.relay);
    if (choices.host != known.host) settings.setValue(HOST, choices.host);
}
