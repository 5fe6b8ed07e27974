#include "app/splash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWindow>

#include "app/widgets.h"
#include "view/pictures/pictures.h"

namespace {

constexpr QSize SPLASH_SIZE{400, 292};
constexpr int SPLASH_HOLD_MS = 2000;
// Long enough for any display server to put a new window up.
constexpr int EXPOSE_WAIT_MS = 1000;

}  // namespace

TForm4::TForm4()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Splash screen"));
    // Closing the splash must not end the program before the main window opens.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(SPLASH_SIZE);
    make_picture(this, QStringLiteral("Image1"), splash_picture(), QRect(QPoint(0, 0), SPLASH_SIZE));
}

void TForm4::show_painted()
{
    centre_on_screen(*this);
    show();
    // The window must be on the display before a repaint can reach it.
    const QDeadlineTimer deadline(EXPOSE_WAIT_MS);
    while (!windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    repaint();
}

void TForm4::FormClose()
{
    QThread::msleep(SPLASH_HOLD_MS);
}

void TForm4::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
