// Renders the game's real main window on the offscreen platform and writes it
// as a PNG: a new rack, the cue aimed for the break.
// Run it from a folder that holds the table picture:
//   cd <checkout>/assets && <build>/tools/make_screenshot ../doc/screenshot.png

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>

#include "app/Unit1.h"
#include "app/fonts.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

namespace {

// Where the mouse aims from, in drawing-area pixels: a firm shot into the rack.
constexpr QPoint AIM_FROM{120, 170};
constexpr int POLL_MS = 50;

void move_mouse(QWidget* area, const QPoint& at)
{
    QMouseEvent event(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &event);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshot PNG_FILE\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    use_designed_fonts();
    TForm1 form(background_picture());
    if (form.table_view().table_picture().isNull()) {
        std::fprintf(stderr, "make_screenshot: start it in a folder that holds tavlo2.bmp\n");
        return 1;
    }
    form.show();
    QWidget* area = form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    int status = 1;
    // The supervisor's first tick enables aiming.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (!game.aiming_enabled) return;
        move_mouse(area, AIM_FROM);
        status = form.grab().save(file, "PNG") ? 0 : 1;
        QApplication::quit();
    });
    poll.start(POLL_MS);
    application.exec();
    if (status != 0) std::fprintf(stderr, "make_screenshot: could not write %s\n", argv[1]);
    return status;
}
