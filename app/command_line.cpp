#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int EXIT_USAGE = 2;

[[noreturn]] void refuse(const QString& why)
{
    std::fprintf(stderr, "corvenne: %s\nTry 'corvenne --help'.\n", qPrintable(why));
    std::exit(EXIT_USAGE);
}

}  // namespace

RunRequest read_command_line(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A two-player pool game for one desktop window."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A match file to open at start."),
                                 QStringLiteral("[file]"));
    // Not addHelpOption(): its --help-all lists the toolkit's own options, which are refused here too.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption opponent(QStringLiteral("opponent"),
                                      QStringLiteral("Who plays player 2 in this run: person, easy, medium or hard."),
                                      QStringLiteral("who"));
    parser.addOption(opponent);
    const QCommandLineOption show_players(QStringLiteral("show-players"),
                                          QStringLiteral("Shows the players' names above the table in this run."));
    parser.addOption(show_players);
    const QCommandLineOption sound(QStringLiteral("sound"), QStringLiteral("Plays the table's sounds in this run."));
    parser.addOption(sound);

    if (!parser.parse(arguments)) refuse(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) refuse(QStringLiteral("unexpected argument '%1'").arg(files[1]));
    if (parser.isSet(version)) parser.showVersion();
    if (parser.isSet(help)) parser.showHelp(0);

    RunRequest request;
    if (parser.isSet(opponent)) {
        request.second_player = seat_from_word(parser.value(opponent));
        if (!request.second_player) refuse(QStringLiteral("unknown opponent '%1'").arg(parser.value(opponent)));
    }
    request.show_players = parser.isSet(show_players);
    request.sound = parser.isSet(sound);
    if (!files.isEmpty()) request.match_file = files.first();
    return request;
}

PlayerChoices choices_for_run(const PlayerChoices& remembered, const RunRequest& request)
{
    PlayerChoices choices = remembered;
    if (request.second_player) choices.second_player = *request.second_player;
    if (request.show_players) choices.show_players = true;
    if (request.sound) choices.sound = true;
    return choices;
}
