#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "protocol/host_address.h"
#include "match/match_limits.h"
#include "match/utf8.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_address.h"

namespace {

constexpr int EXIT_USAGE = 2;

[[noreturn]] void refuse(const QString& why)
{
    std::fprintf(stderr, "corvenne: %s\nTry 'corvenne --help'.\n", qPrintable(why));
    std::exit(EXIT_USAGE);
}

// The toolkit's own options, which it reads itself when the window's
// application starts: accepted here, unlisted, and left to it.
const QStringList TOOLKIT_OPTIONS_WITH_VALUE = {
    QStringLiteral("platform"),  QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),    QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"),         QStringLiteral("display"),
    QStringLiteral("style"),     QStringLiteral("stylesheet"),
};
const QStringList TOOLKIT_FLAGS = {QStringLiteral("reverse"), QStringLiteral("widgetcount")};

void accept_toolkit_options(QCommandLineParser& parser)
{
    for (const QString& name : TOOLKIT_OPTIONS_WITH_VALUE) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : TOOLKIT_FLAGS) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The usage line names the program as its players type it, not by its path.
[[noreturn]] void show_help(const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    const QString path = QCoreApplication::arguments().constFirst();
    text.replace(text.indexOf(path), path.size(), QCoreApplication::applicationName());
    std::fputs(qPrintable(text), stdout);
    std::exit(EXIT_SUCCESS);
}

// --host takes its port as the word after it, when that word is not an
// option; anything else there is refused, rather than read as a match file.
std::optional<quint16> take_host_port(QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--host"));
    if (at < 0 || at + 1 >= arguments.size() || arguments[at + 1].startsWith(u'-')) return std::nullopt;
    bool number = false;
    const uint port = arguments[at + 1].toUInt(&number);
    if (!number || port == 0 || port > 65535) refuse(QStringLiteral("--host takes a port number"));
    arguments.removeAt(at + 1);
    return static_cast<quint16>(port);
}

// The sound is switched by two options; a bare on or off after one of them
// would otherwise be read as a match file.
void refuse_sound_value(const QStringList& arguments)
{
    for (qsizetype at = 1; at + 1 < arguments.size(); ++at) {
        const bool sound_option = arguments[at] == u"--sound" || arguments[at] == u"--no-sound";
        const QString value = arguments[at + 1].toLower();
        if (sound_option && (value == u"on" || value == u"off"))
            refuse(QStringLiteral("%1 takes no '%2'; usage: corvenne [--sound | --no-sound]")
                       .arg(arguments[at], arguments[at + 1]));
    }
}

}  // namespace

RunRequest read_command_line(QStringList arguments)
{
    QCommandLineParser parser;
    // -platform is one option, as the toolkit reads it, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("A two-player pool game for one desktop window."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A match file to open at start."),
                                 QStringLiteral("[file]"));
    // Not addHelpOption(): its --help-all lists options of the toolkit's that the game has no use for.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption opponent(QStringLiteral("opponent"),
                                      QStringLiteral("Who plays player 2 in this run: person, easy, medium, hard or expert."),
                                      QStringLiteral("who"));
    parser.addOption(opponent);
    const QCommandLineOption show_players(QStringLiteral("show-players"),
                                          QStringLiteral("Shows the players' names above the table in this run."));
    parser.addOption(show_players);
    const QCommandLineOption sound(QStringLiteral("sound"), QStringLiteral("Plays the table's sounds in this run."));
    parser.addOption(sound);
    const QCommandLineOption no_sound(QStringLiteral("no-sound"), QStringLiteral("Keeps the table silent in this run."));
    parser.addOption(no_sound);
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("Hosts a network game at once, on PORT (%1 unless given) as --name.").arg(DEFAULT_PORT));
    parser.addOption(host);
    const QCommandLineOption join(
        QStringLiteral("join"),
        QStringLiteral("Joins the network game at HOST[:PORT], or of a match code over the relay, at once, as --name."),
        QStringLiteral("host[:port] or code"));
    parser.addOption(join);
    const QCommandLineOption relay(QStringLiteral("relay"),
                                   QStringLiteral("The relay for play over the internet in this run; with --host, "
                                                  "hosts over it and shows the match code."),
                                   QStringLiteral("host[:port]"));
    parser.addOption(relay);
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("The player's name in a network game."),
                                  QStringLiteral("name"));
    parser.addOption(name);
    const QCommandLineOption resume(QStringLiteral("resume"),
                                    QStringLiteral("Resumes at once the network game this computer hosted, "
                                                   "when it ended without leaving."));
    parser.addOption(resume);
    accept_toolkit_options(parser);

    RunRequest request;
    refuse_sound_value(arguments);
    const std::optional<quint16> host_port = take_host_port(arguments);
    if (host_port) request.port = *host_port;
    if (!parser.parse(arguments)) refuse(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) refuse(QStringLiteral("unexpected argument '%1'").arg(files[1]));
    if (parser.isSet(version)) parser.showVersion();
    if (parser.isSet(help)) show_help(parser);

    if (parser.isSet(opponent)) {
        request.second_player = seat_from_word(parser.value(opponent));
        if (!request.second_player) refuse(QStringLiteral("unknown opponent '%1'").arg(parser.value(opponent)));
    }
    request.show_players = parser.isSet(show_players);
    if (parser.isSet(sound) && parser.isSet(no_sound)) refuse(QStringLiteral("--sound and --no-sound together"));
    if (parser.isSet(sound) || parser.isSet(no_sound)) request.sound = parser.isSet(sound);
    if (!files.isEmpty()) request.match_file = files.first();
    request.host = parser.isSet(host);
    if (parser.isSet(relay)) {
        request.relay = parser.value(relay);
        if (!read_relay_address(request.relay)) refuse(QStringLiteral("cannot use the relay '%1'").arg(request.relay));
    }
    if (parser.isSet(join)) {
        const QString target = parser.value(join);
        if (const std::optional<QString> code = read_code_not_address(target)) {
            request.join_code = *code;
        } else {
            const auto address = parse_host_and_port(target.toStdString());
            if (!address) refuse(QStringLiteral("cannot join '%1'").arg(target));
            request.join_host = QString::fromStdString(address->host);
            request.port = address->port;
        }
    }
    const bool joining = !request.join_host.isEmpty() || !request.join_code.isEmpty();
    if (request.host && joining) refuse(QStringLiteral("--host and --join together"));
    request.resume = parser.isSet(resume);
    if (request.resume && (request.host || joining)) refuse(QStringLiteral("--resume with --host or --join"));
    request.name = parser.value(name);
    const bool network = request.host || joining;
    if (network && !is_player_name(request.name.toStdString()))
        refuse(QStringLiteral("a network game needs --name NAME, 1 to %1 characters").arg(MAX_NAME_CHARACTERS));
    return request;
}

PlayerChoices choices_for_run(const PlayerChoices& remembered, const RunRequest& request)
{
    PlayerChoices choices = remembered;
    if (request.second_player) choices.second_player = *request.second_player;
    if (request.show_players) choices.show_players = true;
    if (request.sound) choices.sound = *request.sound;
    return choices;
}
