#include <QApplication>

#include "app/Unit1.h"
#include "app/command_line.h"
#include "app/fonts.h"
#include "app/resume_offer.h"
#include "app/splash.h"
#include "view/pictures/pictures.h"

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("corvenne"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVENNE_VERSION));
    // Answered before any window opens, so --help and a wrong word need no display.
    const RunRequest request = [&] {
        const QCoreApplication reader(argc, argv);
        return read_command_line(QCoreApplication::arguments());
    }();

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvenne.Corvenne"));
    application.setWindowIcon(window_icon());
    use_designed_fonts();

    auto* Form4 = new TForm4;
    Form4->show_painted();
    Form4->close();

    TForm1 Form1(background_picture(), choices_for_run(remembered_choices(), request));
    Form1.remember_menu_choices();
    Form4->deleteLater();

    Form1.show();
    if (!request.match_file.isEmpty()) Form1.match_menu().open_file(request.match_file);
    offer_to_resume(Form1.network(), Form1, request);
    Form1.network().start(request);
    return application.exec();
}
