#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QtTest>

#include "app/splash.h"
#include "app/timers.h"
#include "view/pictures/pictures.h"

class SplashAndTimersTest : public QObject {
    Q_OBJECT

private slots:
    void TheTimersArePreciseAndStartingARunningOneKeepsItsPhase()
    {
        WindowTimers timers;
        const int intervals[] = {10, 100, 20};
        for (TimerId t : {Timer1, Timer2, Timer3}) {
            QCOMPARE(timers.timer(t).interval(), intervals[t - 1]);
            QCOMPARE(timers.timer(t).timerType(), Qt::PreciseTimer);
            QVERIFY(!timers.timer(t).isActive());
        }
        timers.set_running(Timer2, true);
        QThread::msleep(60);
        const int left = timers.timer(Timer2).remainingTime();
        QVERIFY(left <= 40);
        timers.set_running(Timer2, true);
        QVERIFY(timers.timer(Timer2).remainingTime() <= left);
        timers.set_running(Timer2, false);
        QVERIFY(!timers.timer(Timer2).isActive());
    }

    void TheSplashIsPaintedAtOnceAndStaysTwoSecondsAfterClosing()
    {
        TForm4 splash;
        QCOMPARE(splash.size(), QSize(400, 292));
        QCOMPARE(splash.windowTitle(), QString("Splash screen"));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        splash.show_painted();
        QVERIFY(splash.windowHandle()->isExposed());
        const QImage picture = splash_picture().convertToFormat(QImage::Format_RGB32);
        const QImage seen = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(seen, picture);

        QElapsedTimer held;
        held.start();
        splash.close();
        QVERIFY(held.elapsed() >= 2000);
        QVERIFY(!splash.isVisible());
    }
};

QTEST_MAIN(SplashAndTimersTest)
#include "splash_and_timers_test.moc"
