#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "sim/ball_drawing.h"
#include "sim/step.h"
#include "match/table_check.h"
#include "sim/variables.h"
#include "view/cue.h"
#include "tests/support/main_window.h"

// Real shots played with the mouse on the drawing area, on the offscreen platform.
class PlayTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    void wait_for_aiming()
    {
        QVERIFY(QTest::qWaitFor([] { return game.aiming_enabled && balls_at_rest(); }, 5000));
    }
    void put_ball(int i, float x, float y)
    {
        game.balls[i].x = x;
        game.balls[i].y = y;
        game.balls[i].state = BALL_ON_TABLE;
    }

    // The drawing area as the player sees it, with the table picture's place blanked.
    QImage around_the_table(const QImage& drawing_area)
    {
        QImage around = drawing_area.convertToFormat(QImage::Format_RGB32);
        QPainter(&around).fillRect(QRect(QPoint(76, 41), form->table_view().table_picture().size()), Qt::black);
        return around;
    }
    QImage seen_around_the_table() { return around_the_table(drawing_area(*form)->grab().toImage()); }
    void aim_across_the_left_edge()
    {
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QVERIFY(ball.x() - 183 < 76);  // the cue's far end lies left of the table picture
        QTest::mouseMove(drawing_area(*form), ball + QPoint(-200, 0));
        QVERIFY(game.cue_drawn);
    }

    // The white shot into the top-left pocket.
    void pot_the_cue_ball()
    {
        put_ball(CUE_BALL, 60, 60);
        redraw_table(*form);
        const QPoint ball = shown(60, 60);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(60, 60));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(60, 60));
        QVERIFY(judged_in_time());
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
    }
    QStringList recorded_inputs() const
    {
        QStringList inputs;
        for (const std::string& input : form->match_record().inputs) inputs << QString::fromStdString(input);
        return inputs;
    }

private slots:
    void initTestCase()
    {
        form = open_main_window();
        QVERIFY(form);
    }
    // Every test starts from a new game.
    void init()
    {
        form->findChild<QAction*>("Nouvellepartie1")->trigger();
        wait_for_aiming();
    }

    void TheCueFollowsTheMouseAndLeavesNoTrace()
    {
        const QImage table_only = form->table_view().surface().copy();
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(-100, 30));
        QVERIFY(game.cue_drawn);
        const CuePoint tip_edge = cue_points(ball.x(), ball.y())[1];
        QCOMPARE(form->table_view().surface().pixel(tip_edge.x, tip_edge.y), qRgb(0xC0, 0xC0, 0xC0));
        QCOMPARE(drawing_area(*form)->grab().toImage().pixel(tip_edge.x, tip_edge.y), qRgb(0xC0, 0xC0, 0xC0));

        QTest::mouseMove(drawing_area(*form), ball + QPoint(40, -120));
        QTest::mouseMove(drawing_area(*form), ball + QPoint(-20, -60));
        form->remove_cue_from_screen();
        QCOMPARE(form->table_view().surface(), table_only);
    }

    void APressLaunchesAndTheSupervisorJudgesTheShot()
    {
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        const QImage table_only = form->table_view().surface().copy();
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, -60));  // above the ball: a shot straight down
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, -60));
        QVERIFY(!game.shot_evaluated);
        QVERIFY(!game.cue_drawn);
        QCOMPARE(game.balls[CUE_BALL].vy, 4.25f);  // strength (60 - 9) / 6, half of it per step
        QVERIFY(form->table_view().surface().pixel(ball.x(), ball.y() - 27) == table_only.pixel(ball.x(), ball.y() - 27));
        QVERIFY(judged_in_time());  // the judgement itself is the rules' tests
    }

    void APottedCueBallIsPutBackWithAClick()
    {
        pot_the_cue_ball();

        QTest::mouseMove(drawing_area(*form), shown(120, 150));
        QVERIFY(!game.cue_drawn);  // no cue while the cue ball is off the table
        const QImage before = form->table_view().surface().copy();
        QTest::mouseClick(drawing_area(*form), Qt::RightButton, {}, shown(300, 150));  // outside the left part
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QCOMPARE(form->table_view().surface(), before);

        QTest::mouseClick(drawing_area(*form), Qt::RightButton, {}, shown(120, 150));
        QCOMPARE(game.balls[CUE_BALL].state, BALL_ON_TABLE);
        QCOMPARE(game.balls[CUE_BALL].x, 120.0f);
        QCOMPARE(form->table_view().surface().pixel(shown(120, 150)), qRgb(255, 255, 255));
    }

    void NewGameAndUndoTakeAnOldCueOffTheBackgroundToo()
    {
        const QImage background = around_the_table(background_picture().copy(QRect(0, 34, 705, 384)));
        QCOMPARE(seen_around_the_table(), background);

        aim_across_the_left_edge();
        QVERIFY(seen_around_the_table() != background);
        form->findChild<QAction*>("Nouvellepartie1")->trigger();
        QCOMPARE(seen_around_the_table(), background);

        // A soft shot up the table, so that there is a shot to take back.
        wait_for_aiming();
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, 20));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, 20));
        QVERIFY(judged_in_time());
        aim_across_the_left_edge();
        QVERIFY(seen_around_the_table() != background);
        QTest::mouseClick(form->findChild<QPushButton*>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(game.balls[CUE_BALL].y, float(RACK_Y[CUE_BALL]));  // the shot was taken back
        QCOMPARE(seen_around_the_table(), background);
    }

    // The keys stand for the mouse: the arrows move the aiming point from
    // where the mouse was, a pixel or with Shift ten, and Enter or Space
    // presses there, so the record holds what the same mouse would give and
    // the shot ends where the mouse's does. Ctrl+Z takes it back as the undo
    // button does; the button never takes the keys. While the white is to be
    // put back, the arrows move the spot and Space puts it there.
    void KeysAimShootAndPlaceAsTheMouseDoes()
    {
        QWindow* keys = form->windowHandle();
        QCOMPARE(form->findChild<QPushButton*>("SpeedButton1")->focusPolicy(), Qt::NoFocus);
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(-40, 0));
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int times;
        } aim_keys[] = {{Qt::Key_Left, Qt::ShiftModifier, 6}, {Qt::Key_Down, {}, 3}, {Qt::Key_Right, {}, 2},
                        {Qt::Key_Up, Qt::ShiftModifier, 1}};
        for (const auto& row : aim_keys)
            for (int k = 0; k < row.times; ++k) QTest::keyClick(keys, row.key, row.modifiers);
        const QPoint aim = ball + QPoint(-98, -7);
        QTest::keyClick(keys, Qt::Key_Return);
        QVERIFY(judged_in_time());
        const QString shot = QStringLiteral("shot %1 %2").arg(aim.x()).arg(aim.y());
        QCOMPARE(recorded_inputs(), QStringList{shot});
        const std::string after_keys = table_state_without_time();
        QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
        QTest::mouseMove(drawing_area(*form), aim);
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, aim);
        QVERIFY(judged_in_time());
        QCOMPARE(recorded_inputs(), QStringList({shot, "undo", shot}));
        QCOMPARE(table_state_without_time(), after_keys);

        pot_the_cue_ball();
        QTest::mouseMove(drawing_area(*form), shown(300, 150));
        QTest::keyClick(keys, Qt::Key_Space);  // outside the left part: refused
        for (int k = 0; k < 18; ++k) QTest::keyClick(keys, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(keys, Qt::Key_Space);
        QCOMPARE(game.balls[CUE_BALL].state, BALL_ON_TABLE);
        QCOMPARE(game.balls[CUE_BALL].x, 120.0f);
        const QPoint spot = shown(120, 150);
        QCOMPARE(recorded_inputs().mid(4), QStringList({QStringLiteral("press %1 %2").arg(spot.x() + 180).arg(spot.y()),
                                                        QStringLiteral("press %1 %2").arg(spot.x()).arg(spot.y())}));
    }

    void PressesAreIgnoredWhileTheBallsRoll()
    {
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(-150, 0));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(-150, 0));
        const float launched_from = game.balls[CUE_BALL].x;
        QVERIFY(QTest::qWaitFor([&] { return game.balls[CUE_BALL].x > launched_from + 20; }, 2000));
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, 80));
        QVERIFY(!game.cue_drawn);
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, 80));
        QCOMPARE(game.balls[CUE_BALL].shot_x, launched_from);  // no second launch
        QVERIFY(judged_in_time());
    }
};

QTEST_MAIN(PlayTest)
#include "play_test.moc"
