// Loaded into the installed game through LD_PRELOAD, so the game is started
// exactly as installed and still seen from inside: once its main window has
// been up a moment, this prints what a player would see, then closes the game
// as the player would. It only looks; the test judges what it prints.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "sim/variables.h"

namespace {

constexpr int POLL_MS = 100;
// Long enough for a message about the table picture to have come up.
constexpr int SETTLE_MS = 1000;

QMainWindow* shown_main_window()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main_window = qobject_cast<QMainWindow*>(w); main_window && main_window->isVisible())
            return main_window;
    return nullptr;
}

QString message_on_screen()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box->text().simplified();
    return QStringLiteral("none");
}

QString ball_pixel(const QImage& drawing_area, int ball)
{
    return drawing_area.pixelColor(RACK_X[ball] + DRAW_OFFSET_X, RACK_Y[ball] + DRAW_OFFSET_Y).name();
}

void print(const char* what, const QString& seen)
{
    std::printf("%s: %s\n", what, qPrintable(seen));
}

void report_and_close(QMainWindow* form)
{
    print("main window", form->windowTitle());
    const auto* status_line = form->findChild<QLabel*>(QStringLiteral("Panel3"));
    print("status line", status_line ? status_line->text() : QStringLiteral("(none)"));
    auto* drawing_area = form->findChild<QWidget*>(QStringLiteral("PaintBox1"));
    const QImage seen = drawing_area ? drawing_area->grab().toImage() : QImage();
    print("cue ball", seen.isNull() ? QStringLiteral("(no drawing area)") : ball_pixel(seen, CUE_BALL));
    print("black ball", seen.isNull() ? QStringLiteral("(no drawing area)") : ball_pixel(seen, BLACK_BALL));
    print("message box", message_on_screen());
    std::fflush(stdout);
    QApplication::closeAllWindows();
}

void watch_for_the_main_window()
{
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QMainWindow* form = shown_main_window();
        if (!form) return;
        poll->stop();
        QTimer::singleShot(SETTLE_MS, form, [form] { report_and_close(form); });
    });
    poll->start(POLL_MS);
}

// Runs while the application object is being built: the watch starts once
// its event loop runs.
void start_watching()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), &watch_for_the_main_window, Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(start_watching)
