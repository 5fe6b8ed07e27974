#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "sim/ball_drawing.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "tests/support/main_window.h"

// The computer playing player 2 in the window, on the offscreen platform, in real time.
class ComputerOpponentTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    QAction* menu_item(const QString& caption)
    {
        for (QAction* action : form->findChildren<QAction*>())
            if (action->text() == caption) return action;
        return nullptr;
    }
    void choose(const QString& caption) { menu_item(caption)->trigger(); }

    // Player 1 shoots straight down the table, touching nothing: a foul that hands player 2 the turn.
    void person_fouls()
    {
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, -60));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, -60));
        QVERIFY(judged_in_time());
        QCOMPARE(game.current_player, 2);
    }

private slots:
    void initTestCase()
    {
        form = open_main_window();
        QVERIFY(form);
    }
    // Every test starts from a new game against the opponent the window
    // opened with: "New game" drops whatever the computer was doing.
    void cleanup() { choose("Second player"); }
    void init()
    {
        menu_item("New game")->trigger();
        QVERIFY(QTest::qWaitFor([] { return game.aiming_enabled; }, 5000));
        QVERIFY(!form->computer().has_cue());
    }

    void TheSecondPlayerIsAPersonUntilTheMenuSaysOtherwise()
    {
        QVERIFY(menu_item("Second player")->isChecked());
        person_fouls();
        QTest::qWait(1500);
        QVERIFY(game.shot_evaluated);
        QCOMPARE(game.current_player, 2);
        choose("Computer: hard");
        QVERIFY(!menu_item("Second player")->isChecked());
        QTest::qWait(1500);  // the turn begun by the person stays theirs
        QVERIFY(!form->computer().has_cue());
        QVERIFY(game.shot_evaluated);
        form->findChild<QPushButton*>("SpeedButton1")->click();
        person_fouls();
        QVERIFY(QTest::qWaitFor([] { return !game.shot_evaluated; }, 15000));
    }

    void TheComputerPutsTheCueBallBackAimsAndShootsWhileThePersonWaits()
    {
        choose("Computer: easy");
        game.balls[CUE_BALL].x = 60;  // near the top-left pocket
        game.balls[CUE_BALL].y = 60;
        redraw_table(*form);
        QTest::mouseMove(drawing_area(*form), shown(120, 120));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, shown(120, 120));
        QVERIFY(judged_in_time());
        QCOMPARE(game.current_player, 2);
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);

        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, shown(120, 150));  // the person's click is ignored
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QVERIFY(QTest::qWaitFor([] { return game.balls[CUE_BALL].state == BALL_ON_TABLE; }, 15000));
        QVERIFY(game.shot_evaluated);
        QVERIFY(QTest::qWaitFor([] { return game.cue_drawn; }, 2000));  // the cue glides to its aim
        QVERIFY(QTest::qWaitFor([] { return !game.shot_evaluated; }, 5000));
        QVERIFY(judged_in_time());
    }

    void AnUndoInTheWaitingSecondCancelsTheComputersTurn()
    {
        choose("Computer: hard");
        const float start_x = game.balls[CUE_BALL].x, start_y = game.balls[CUE_BALL].y;
        person_fouls();
        form->findChild<QPushButton*>("SpeedButton1")->click();
        QCOMPARE(game.current_player, 1);
        QTest::qWait(3000);
        QVERIFY(game.shot_evaluated);
        QCOMPARE(game.balls[CUE_BALL].x, start_x);
        QCOMPARE(game.balls[CUE_BALL].y, start_y);
    }

    void NewGameWhileItThinksLeavesACleanRack()
    {
        choose("Computer: hard");
        person_fouls();
        QVERIFY(QTest::qWaitFor([&] { return form->computer().thinking(); }, 5000));
        menu_item("New game")->trigger();
        QTest::qWait(4000);
        QVERIFY(!form->computer().has_cue());
        QVERIFY(game.shot_evaluated);
        QCOMPARE(game.current_player, 1);
        for (int i = 1; i <= BALL_COUNT; ++i) {
            QCOMPARE(game.balls[i].state, BALL_ON_TABLE);
            QCOMPARE(game.balls[i].x, float(RACK_X[i]));
            QCOMPARE(game.balls[i].y, float(RACK_Y[i]));
        }
        QCOMPARE(form->findChild<QLabel*>("Panel3")->text(), QString("Start new game"));
    }
};

QTEST_MAIN(ComputerOpponentTest)
#include "computer_opponent_test.moc"
