#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>
#include <functional>
#include <memory>

#include "sim/step.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"
#include "tests/support/main_window.h"

namespace {

QRgb seen_colour(int32_t colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

// One main window for the whole class: creating it waits half a second.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    QWidget* control(const char* name) { return form->findChild<QWidget*>(name); }

    // What the player sees in the drawing area.
    QImage seen_area() { return drawing_area(*form)->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void expect_rack_on_screen()
    {
        const QImage seen = seen_area();
        const QImage& table = form->table_view().table_picture();
        for (int i = 1; i <= BALL_COUNT; ++i) {
            const int x = RACK_X[i], y = RACK_Y[i];
            QCOMPARE(seen.pixel(x + 76, y + 41), seen_colour(colour_of_ball(i)));
            // The corner of a ball's square is outside its disc.
            QCOMPARE(seen.pixel(x - 9 + 76, y - 9 + 41), table.pixel(x - 9, y - 9));
        }
    }

private slots:
    void initTestCase()
    {
        form = open_main_window();
        QVERIFY(form);
    }

    void TheLayoutMatchesTheDesignedWindow()
    {
        QCOMPARE(form->windowTitle(), QString("Corvenne"));
        QCOMPARE(form->centralWidget()->size(), QSize(705, 466));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        const std::pair<const char*, QRect> places[] = {
            {"Image1", {0, 0, 705, 465}},      {"PaintBox1", {0, 34, 705, 384}}, {"SpeedButton1", {546, 434, 150, 22}},
            {"Panel1", {117, 8, 163, 20}}, {"Panel2", {400, 8, 161, 20}},  {"Panel3", {152, 426, 385, 40}}};
        for (const auto& [name, geometry] : places) QCOMPARE(control(name)->geometry(), geometry);
        auto* undo = qobject_cast<QPushButton*>(control("SpeedButton1"));
        QVERIFY(undo->isFlat() && undo->text() == "Отмена хода");
        QVERIFY(!control("Panel1")->isVisible() && !control("Panel2")->isVisible() && control("Panel3")->isVisible());
        QVERIFY(control("PaintBox1")->hasMouseTracking());
        const QPoint screen_centre = form->screen()->availableGeometry().center();
        QVERIFY((form->frameGeometry().center() - screen_centre).manhattanLength() <= 2);
    }

    void TheMenuOffersNewGameAndExitAndTheOpponents()
    {
        const QList<QAction*> top = form->menuBar()->actions();
        QCOMPARE(top.size(), 5);
        QCOMPARE(top.first()->text(), QString("Main"));
        const QList<QAction*> items = top.first()->menu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QString("New game"));
        QCOMPARE(items[1]->text(), QString("Exit"));
        QVERIFY(items[0]->shortcut().isEmpty() && items[1]->shortcut().isEmpty());
        QCOMPARE(top[1]->text(), QString("Opponent"));
        QList<QAction*> opponents = top[1]->menu()->actions();
        const QStringList captions{"Second player", "Computer: easy", "Computer: medium", "Computer: hard",
                                  "Computer: expert"};
        QStringList network;
        for (const QAction* item : opponents.mid(captions.size()))
            if (item->isVisible() && !item->isSeparator()) network << item->text();
        QCOMPARE(network, QStringList({"Host a network game…", "Join a network game…", "Watch a network game…"}));
        opponents = opponents.mid(0, captions.size());
        for (int k = 0; k < captions.size(); ++k) {
            QCOMPARE(opponents[k]->text(), captions[k]);
            QVERIFY(opponents[k]->isCheckable());
            QCOMPARE(opponents[k]->isChecked(), k == 0);
        }
        opponents[3]->trigger();
        QVERIFY(opponents[3]->isChecked() && !opponents[0]->isChecked());
        QCOMPARE(top[2]->text(), QString("View"));
        const QAction* show_players = top[2]->menu()->actions().first();
        QVERIFY(show_players->text() == "Show players" && show_players->isCheckable() && !show_players->isChecked());
        opponents[0]->trigger();
        QCOMPARE(top[4]->text(), QString("Help"));
        QCOMPARE(top[4]->menu()->actions().first()->text(), QString("How to play"));
    }

    void TheFirstRackIsOnTheScreenAndTheSupervisorRuns()
    {
        expect_rack_on_screen();
        QCOMPARE(qobject_cast<QLabel*>(control("Panel3"))->text(), QString("Start new game"));
        QVERIFY(window().timer_on(Timer2));
        QVERIFY(!window().timer_on(Timer1));
        QVERIFY(!window().timer_on(Timer3));
    }

    void ARolledBallLeavesTheScreenEqualToTheBackBuffer()
    {
        game.balls[CUE_BALL].vx = 7.5f;
        game.balls[CUE_BALL].vy = -2.25f;
        for (int tick = 0; tick < 2000 && !balls_at_rest(); ++tick) Timer1Timer();
        QVERIFY(balls_at_rest());
        QVERIFY(game.balls[CUE_BALL].x != RACK_X[CUE_BALL]);

        // The back buffer itself is checked after every shot of the soak; here
        // the window's changed rectangles must have kept the screen equal to it.
        const QImage seen = seen_area();
        const QImage& buffer = form->table_view().back_buffer();
        QCOMPARE(seen.copy(76, 41, buffer.width(), buffer.height()), buffer);
    }

    void NewGameWhileBallsRollPutsTheRackBack()
    {
        QAction* new_game = form->findChild<QAction*>("Nouvellepartie1");
        new_game->trigger();
        game.balls[CUE_BALL].vx = 9.0f;
        game.balls[CUE_BALL].vy = 0.5f;
        QTRY_VERIFY_WITH_TIMEOUT(window().timer_on(Timer1), 500);
        QTRY_VERIFY_WITH_TIMEOUT(game.balls[CUE_BALL].x > RACK_X[CUE_BALL] + 20, 500);

        new_game->trigger();  // the rack's spots and the reset state are the new rack's own tests
        QVERIFY(window().timer_on(Timer2));
        expect_rack_on_screen();
        // The simulation stops at the supervisor's next tick.
        QTRY_VERIFY_WITH_TIMEOUT(!window().timer_on(Timer1), 500);
        expect_rack_on_screen();
    }

    // Ctrl+N starts a new game as the menu does; F1, as Help's "How to
    // play" does, shows the README's rules, and Escape puts them away.
    void TheHabitualKeysStartANewGameAndShowTheRules()
    {
        QWindow* keys = form->windowHandle();
        game.balls[CUE_BALL].x += 40;
        redraw_table(*form);
        QTest::keyClick(keys, Qt::Key_N, Qt::ControlModifier);
        expect_rack_on_screen();

        const std::function<void()> ways_to_ask[] = {
            [&] { QTest::keyClick(keys, Qt::Key_F1); },
            [&] { form->findChild<QAction*>("HowToPlay1")->trigger(); },
        };
        for (const auto& ask : ways_to_ask) {
            ask();
            auto* rules = form->findChild<QDialog*>("HowToPlay");
            QVERIFY(rules && rules->isVisible());
            QVERIFY(rules->findChild<QTextBrowser*>()->toPlainText().contains(
                "Potting a ball of your own colour keeps your turn."));
            QTest::keyClick(rules, Qt::Key_Escape);
            QVERIFY(!rules->isVisible());
        }
    }

    void ExitClosesTheWindowAndLetsGoOfThePictures()
    {
        form->findChild<QAction*>("Quitter1")->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(form->table_view().table_picture().isNull());
        QVERIFY(form->table_view().back_buffer().isNull());
        QVERIFY(&window() != static_cast<Window*>(form.get()));
        for (TimerId t : {Timer1, Timer2, Timer3}) QVERIFY(!form->timer_on(t));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
