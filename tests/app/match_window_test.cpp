#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "match/table_check.h"
#include "tests/support/driver_process.h"
#include "tests/support/main_window.h"

// A match played with the mouse on the real main window, saved, opened on a
// fresh window, replayed by the driver and watched again from its start.
class MatchWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    static QString text(const std::string& bytes) { return QString::fromStdString(bytes); }

    // A click on the drawing area, after the mouse came over it.
    void click(QPoint at)
    {
        QTest::mouseMove(drawing_area(*form), at);
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, at);
    }
    void shoot(QPoint aim)
    {
        click(aim);
        QVERIFY(!game.shot_evaluated);
        QVERIFY(judged_in_time());
    }

private slots:
    void PlayedSavedOpenedReplayedAndWatchedEndsOnOneTable()
    {
        form = open_main_window();
        QVERIFY(form);
        QVERIFY(judged_in_time());
        shoot(QPoint(140, 195));  // the break, which leaves the cue ball near the top right pocket
        shoot(QPoint(502, 169));  // into that pocket
        click(QPoint(150, 200));  // back on the table
        shoot(QPoint(211, 242));  // pots the first ball, which gives the groups
        shoot(QPoint(394, 227));  // pots one of the shooter's own: the praise generator draws
        QTest::mouseClick(form->findChild<QPushButton*>("SpeedButton1"), Qt::LeftButton);
        const MatchRecord played = form->match_record();
        QCOMPARE(text(script_text(played)),
                 "praise 0\nshot 140 195\nshot 502 169\npress 150 200\nshot 211 242\nshot 394 227\nundo\n");
        const QString table = text(table_state_without_time());

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("played.corvenne"));
        QVERIFY(form->match_menu().save_file(path));
        form.reset();

        form = open_main_window();
        QVERIFY(form);
        QVERIFY(form->match_menu().open_file(path));
        QCOMPARE(text(table_state_without_time()), table);

        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(text(without_time(driver_output(REPLAY_DRIVER, saved.readAll().toStdString() + "state\n"))), table);

        QSignalSpy ended(&form->match_menu().watch(), &MatchWatch::ended);
        form->findChild<QAction*>("WatchMatch")->trigger();
        QVERIFY(form->match_menu().watch().watching());
        QVERIFY(form->match_record().inputs.empty());  // from a new rack
        QVERIFY(ended.wait(60000));
        QCOMPARE(text(table_state_without_time()), table);
        // Watched to its end: the rack and every input again, through the
        // window's handlers, and the match holds it once.
        QCOMPARE(text(script_text(form->match_record())), text(script_text(played)));
        QVERIFY(form->match_menu().save_file(path));
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QVERIFY(!again.readAll().contains("\nnew\n"));
    }
};

QTEST_MAIN(MatchWindowTest)
#include "match_window_test.moc"
