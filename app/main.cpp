#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/Unit1.h"
#include "app/fonts.h"
#include "app/splash.h"
#include "view/pictures/pictures.h"

namespace {

constexpr int EXIT_USAGE = 2;

// The game takes no arguments: it only answers --version and --help, and
// refuses anything else. It never opens a window here, so no display is needed.
int answer_command_line(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A two-player pool game for one desktop window."));
    // Not addHelpOption(): its --help-all lists the toolkit's own options, which are refused here too.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const auto refuse = [](const QString& why) {
        std::fprintf(stderr, "corvenne: %s\nTry 'corvenne --help'.\n", qPrintable(why));
        return EXIT_USAGE;
    };
    if (!parser.parse(QCoreApplication::arguments())) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(version)) parser.showVersion();
    if (parser.isSet(help)) parser.showHelp(0);
    return refuse(QStringLiteral("unexpected arguments"));
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("corvenne"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVENNE_VERSION));
    if (argc > 1) return answer_command_line(argc, argv);

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvenne.Corvenne"));
    application.setWindowIcon(window_icon());
    use_designed_fonts();

    auto* Form4 = new TForm4;
    Form4->show_painted();
    Form4->close();

    TForm1 Form1(background_picture());
    Form4->deleteLater();

    Form1.show();
    return application.exec();
}
