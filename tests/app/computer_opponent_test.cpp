#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/game_ending.h"
#include "app/seat.h"
#include "match/match_record.h"
#include "match/table_check.h"
#include "opponent/candidates.h"
#include "rules/outcome.h"
#include "rules/supervisor.h"
#include "sim/ball_drawing.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "tests/support/driver_process.h"
#include "tests/support/main_window.h"

// The seats in the window, on the offscreen platform, in real time: the
// person's mouse, the computer playing player 2 on the table's turn
// announcements, the players' panels and the match record.
class ComputerOpponentTest : public QObject {
    Q_OBJECT

private:
    // The cue ball, moved next to the top-left pocket, is shot into it.
    void pot_the_cue_ball()
    {
        game.balls[CUE_BALL].x = 60;
        game.balls[CUE_BALL].y = 60;
        redraw_table(*form);
        QTest::mouseMove(drawing_area(*form), shown(120, 120));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, shown(120, 120));
    }

    std::unique_ptr<TForm1> form;

    QAction* menu_item(const QString& caption)
    {
        for (QAction* action : form->findChildren<QAction*>())
            if (action->text() == caption) return action;
        return nullptr;
    }
    void choose(const QString& caption) { menu_item(caption)->trigger(); }
    QLabel* panel(const char* name) { return form->findChild<QLabel*>(name); }
    void click_undo() { form->findChild<QPushButton*>("SpeedButton1")->click(); }

    // Player 1 shoots straight down the table, touching nothing: a foul that hands player 2 the turn.
    void person_fouls()
    {
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, -60));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, -60));
        QVERIFY(judged_in_time());
        QCOMPARE(game.current_player, 2);
    }
    // Player 1 shoots straight down the table, putting the cue ball back first when it is off.
    void person_shoots()
    {
        if (game.balls[CUE_BALL].state == BALL_OFF_TABLE) {
            const MousePoint spot = press_for_spot(placement_spots(game, 12, 1).front());
            QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, QPoint(spot.x, spot.y));
        }
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, -60));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, -60));
        QVERIFY(judged_in_time());
    }
    // The computer has played until the person is to play, or the game is over.
    bool computers_visit_over()
    {
        return QTest::qWaitFor([&] { return !form->computer().has_cue() && game.shot_evaluated && balls_at_rest(); },
                               60000);
    }
    QString replayed_by_the_driver()
    {
        const std::string script = script_text(form->match_record()) + "state\n";
        return QString::fromStdString(without_time(driver_output(REPLAY_DRIVER, script)));
    }
    // The computer's shot launched and judged.
    static bool computer_played()
    {
        return QTest::qWaitFor([] { return !game.shot_evaluated; }, 15000) && judged_in_time();
    }

    // Player 2's own balls are gone; the black and one of player 1's are left.
    void leave_player_2_on_the_black()
    {
        for (int i = 2; i <= BALL_COUNT; ++i) game.balls[i].state = BALL_OFF_TABLE;
        const std::pair<int, Point> left[] = {{BLACK_BALL, {470, 70}}, {10, {420, 230}}};
        for (const auto& [ball, at] : left) {
            game.balls[ball].state = BALL_ON_TABLE;
            game.balls[ball].x = static_cast<float>(at.x);
            game.balls[ball].y = static_cast<float>(at.y);
        }
        game.players[1].group = game.balls[10].colour;
        game.players[2].group = game.balls[10].colour == RED ? YELLOW : RED;
        redraw_table(*form);
    }
    // The person at the cue plays the expert's shot.
    void play_as_the_computer_would()
    {
        const ComputerShot shot = choose_computer_shot(game, ComputerLevel::expert);
        if (shot.place) QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, QPoint(shot.place->x, shot.place->y));
        QTest::mouseMove(drawing_area(*form), QPoint(shot.aim.x, shot.aim.y));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, QPoint(shot.aim.x, shot.aim.y));
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

    // What the person and the computer played, replayed by the driver from a
    // fresh start, gives the window's table. First, while the window plays its
    // first game: a new rack leaves player 2's first touch as the last game
    // left it, which no fresh start has. Then each undo takes back one of the
    // person's shots and the computer's after it: the table is the shortened
    // record's, replayed from a fresh start.
    void TheMatchRecordReplaysToTheSameTableAndAnUndoShortensIt()
    {
        choose("Computer: medium");
        person_fouls();
        QVERIFY(computers_visit_over());
        QCOMPARE(replayed_by_the_driver(), QString::fromStdString(table_state_without_time()));
        const std::vector<std::string> before_second_shot = form->match_record().inputs;
        QVERIFY(before_second_shot.size() >= 3);  // the person's shot and the computer's extra visit
        person_shoots();
        QVERIFY(computers_visit_over());
        QVERIFY(form->match_record().inputs.size() > before_second_shot.size() + 1);

        click_undo();
        QCOMPARE(form->match_record().inputs, before_second_shot);
        QCOMPARE(game.current_player, 1);
        QCOMPARE(replayed_by_the_driver(), QString::fromStdString(table_state_without_time()));
        click_undo();
        QVERIFY(form->match_record().inputs.empty());
        QCOMPARE(replayed_by_the_driver(), QString::fromStdString(table_state_without_time()));
        QVERIFY(!form->computer().has_cue());
    }

    // The menu's choice takes player 2's turn where it stands: the computer
    // chosen while a person was to play it plays, and a person chosen while
    // the computer thinks has the cue back at once.
    void TheMenusChoiceTakesPlayer2sTurnAtOnce()
    {
        QVERIFY(menu_item("Second player")->isChecked());
        person_fouls();
        QVERIFY(!form->computer().has_cue());
        choose("Computer: hard");
        QVERIFY(!menu_item("Second player")->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return form->computer().thinking(); }, 5000));
        choose("Second player");
        QVERIFY(!form->computer().has_cue() && !form->computer().at_work());
        choose("Computer: easy");
        QVERIFY(computer_played());
    }

    void TheComputerPutsTheCueBallBackAimsAndShootsWhileThePersonWaits()
    {
        choose("Computer: easy");
        pot_the_cue_ball();
        QVERIFY(judged_in_time());
        QCOMPARE(game.current_player, 2);
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);

        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, shown(120, 150));  // the person's click is ignored
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QVERIFY(QTest::qWaitFor([] { return game.balls[CUE_BALL].state == BALL_ON_TABLE; }, 15000));
        QVERIFY(game.shot_evaluated);
        QVERIFY(QTest::qWaitFor([] { return game.cue_drawn; }, 2000));  // the cue glides to its aim
        QVERIFY(computer_played());
    }

    // The undo ends the computer's turn at the next announcement, before it
    // has done anything.
    void AnUndoInTheWaitingSecondCancelsTheComputersTurn()
    {
        choose("Computer: hard");
        const float start_x = game.balls[CUE_BALL].x, start_y = game.balls[CUE_BALL].y;
        person_fouls();
        QVERIFY(form->computer().has_cue());
        click_undo();
        QCOMPARE(game.current_player, 1);
        QVERIFY(QTest::qWaitFor([&] { return !form->computer().has_cue(); }, 1000));
        QVERIFY(game.shot_evaluated);
        QCOMPARE(game.balls[CUE_BALL].x, start_x);
        QCOMPARE(game.balls[CUE_BALL].y, start_y);
    }

    // "New game" while the search runs asks it to stop; its late answer is
    // dropped, and the rack stands as set up.
    void NewGameWhileItThinksLeavesACleanRack()
    {
        choose("Computer: hard");
        person_fouls();
        QVERIFY(QTest::qWaitFor([&] { return form->computer().thinking(); }, 5000));
        menu_item("New game")->trigger();
        QVERIFY(!form->computer().has_cue());
        QTest::qWait(200);  // time for a late answer of the search to arrive
        QVERIFY(game.shot_evaluated);
        QCOMPARE(game.current_player, 1);
        for (int i = 1; i <= BALL_COUNT; ++i) {
            QCOMPARE(game.balls[i].state, BALL_ON_TABLE);
            QCOMPARE(game.balls[i].x, float(RACK_X[i]));
            QCOMPARE(game.balls[i].y, float(RACK_Y[i]));
        }
        QCOMPARE(status_line(*form), QString("Start new game"));
    }

    // The computer hears its turn once the supervisor's tick has returned:
    // told by a tick run outside the window's timer, it is heard only at
    // that timer's next tick.
    void TheTurnIsHeardAfterTheSupervisorsTick()
    {
        choose("Computer: hard");
        form->set_timer(Timer2, false);
        const QPoint ball = shown(game.balls[CUE_BALL].x, game.balls[CUE_BALL].y);
        QTest::mouseMove(drawing_area(*form), ball + QPoint(0, -60));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, ball + QPoint(0, -60));
        QVERIFY(!game.shot_evaluated);
        form->set_timer(Timer1, true);
        QVERIFY(QTest::qWaitFor([] { return balls_at_rest(); }, 30000));
        Timer2Timer();
        QCOMPARE(game.current_player, 2);
        QTest::qWait(1500);  // past the computer's waiting second
        QVERIFY(!form->computer().at_work());
        QVERIFY(game.shot_evaluated);
        form->set_timer(Timer2, true);
        QVERIFY(QTest::qWaitFor([&] { return form->computer().at_work(); }, 5000));
    }

    // The panels name the seats once the computer plays, the current player's
    // underlined, and say when the computer is at work.
    void ThePanelsNameTheSeats()
    {
        QVERIFY(!panel("Panel1")->isVisible() && panel("Panel1")->text().isEmpty());
        choose("Computer: medium");
        QVERIFY(panel("Panel1")->isVisible() && panel("Panel2")->isVisible());
        QCOMPARE(panel("Panel1")->text(), QString("Player 1"));
        QCOMPARE(panel("Panel2")->text(), QString("Computer (medium)"));
        QVERIFY(panel("Panel1")->font().bold() && panel("Panel1")->font().underline());
        QVERIFY(!panel("Panel2")->font().underline());
        person_fouls();
        QVERIFY(QTest::qWaitFor([&] { return panel("Panel2")->text() == QString("Computer (medium) \u2026"); }, 5000));
        QVERIFY(panel("Panel2")->font().underline());
        QVERIFY(computer_played());
        QCOMPARE(panel("Panel2")->text(), QString("Computer (medium)"));
        choose("Second player");
        QVERIFY(!panel("Panel1")->isVisible());
        menu_item("Show players")->trigger();
        QCOMPARE(panel("Panel2")->text(), QString("Player 2"));

        // Two people at one desk: the one to put the white back is told where.
        QVERIFY(judged_in_time());
        pot_the_cue_ball();
        QVERIFY(judged_in_time());
        QLabel* at_cue = panel(game.current_player == 1 ? "Panel1" : "Panel2");
        const QString name = QStringLiteral("Player %1").arg(game.current_player);
        QVERIFY(QTest::qWaitFor([&] { return at_cue->text() == name + "\nPlace the white ball in the left part"; }, 5000));
        QTest::mouseClick(drawing_area(*form), Qt::LeftButton, {}, shown(120, 150));
        QVERIFY(QTest::qWaitFor([&] { return at_cue->text() == name; }, 5000));
        menu_item("Show players")->trigger();
    }

    // Player 2 pots the black: the computer, or a second person at this desk
    // playing the shot the computer would, with the players shown. The
    // winner's panel is marked, both count the racks won, and nobody is
    // underlined; against the computer the window names the winner, while
    // the game's own status stays the rules' word, which two people at one
    // desk see. Another opponent starts the count again; "New game" keeps it.
    void TheWinnerIsMarkedAndTheEndToldFromThePersonsSide()
    {
        const struct {
            const char* opponent;
            const char* winner_panel;
            const char* status;
        } rows[] = {{"Computer: expert", "Computer (expert) 1 \u2605", "Computer (expert) wins"},
                    {"Second player", "Player 2 1 \u2605", "Victory!"}};
        for (const auto& row : rows) {
            init();
            choose(row.opponent);
            if (!panel("Panel2")->isVisible()) menu_item("Show players")->trigger();
            leave_player_2_on_the_black();
            person_fouls();
            if (!form->computer().has_cue()) play_as_the_computer_would();
            QVERIFY(QTest::qWaitFor([] { return game.game_over; }, 30000));
            QCOMPARE(form->status_line(), std::string("Victory!"));
            QCOMPARE(status_line(*form), QString(row.status));
            QCOMPARE(panel("Panel2")->text(), QString(row.winner_panel));
            QCOMPARE(panel("Panel1")->text(), QString("Player 1 0"));
            QVERIFY(!panel("Panel1")->font().underline() && !panel("Panel2")->font().underline());
        }
        menu_item("New game")->trigger();
        QCOMPARE(panel("Panel2")->text(), QString("Player 2 1"));
        menu_item("Show players")->trigger();
    }

    // The word `--opponent` and the remembered settings use for each seat.
    void EachLevelHasAWordThatReadsBack()
    {
        const std::pair<const char*, std::optional<ComputerLevel>> words[] = {
            {"person", std::nullopt}, {"easy", ComputerLevel::easy}, {"medium", ComputerLevel::medium},
            {"hard", ComputerLevel::hard}, {"expert", ComputerLevel::expert}};
        for (const auto& [word, level] : words) {
            const std::optional<Seat> seat = seat_from_word(QString::fromLatin1(word));
            QVERIFY(seat && seat->computer == level);
            QCOMPARE(word_of(*seat), QString::fromLatin1(word));
        }
        QVERIFY(!seat_from_word(QStringLiteral("master")));
    }

    // The shooter of the last shot wins with the black potted in time, and
    // loses with it potted early.
    void TheWinnerIsTheShooterOnlyWhenTheBlackWasPottedInTime()
    {
        GameState table;
        table.previous_player = 2;
        QCOMPARE(winner_of(table, "Victory!"), 0);  // the game goes on
        table.game_over = true;
        QCOMPARE(winner_of(table, "Victory!"), 2);
        QCOMPARE(winner_of(table, message_for(BLACK_POTTED_EARLY)), 1);
    }
};

QTEST_MAIN(ComputerOpponentTest)
#include "computer_opponent_test.moc"
