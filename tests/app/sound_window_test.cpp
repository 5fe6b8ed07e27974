#include <QAction>
#include <QMediaDevices>
#include <QtTest>
#include <memory>

#include "tests/support/main_window.h"

// The table's sound switched on in the main window; a machine without an
// audio output plays silently, and the game goes on either way.
class SoundWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ABreakWithTheSoundOnIsPlayedAndJudged()
    {
        const auto form = open_main_window();
        QVERIFY(form);
        QVERIFY(!form->sound().on());
        form->findChild<QAction*>("Sound1")->trigger();
        QVERIFY(form->sound().on());
        QCOMPARE(form->sound().fault(), QString());  // the samples were read
        QCOMPARE(form->sound().audible(), !QMediaDevices::defaultAudioOutput().isNull());

        QVERIFY(judged_in_time());
        const QPoint aim = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y) + QPoint(-150, 0);
        QTest::mouseMove(drawing_area(*form), aim);
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, aim);
        QVERIFY(!game.shot_evaluated);
        QVERIFY(judged_in_time());
        QCOMPARE(form->sound().fault(), QString());
        QVERIFY(form->sound().on());
    }
};

QTEST_MAIN(SoundWindowTest)
#include "sound_window_test.moc"
