#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <tuple>

#include "sim/variables.h"
#include "view/pictures/pictures.h"
#include "tests/support/ball_places.h"
#include "tests/support/main_window.h"

namespace {

// Every flag and number of the game that a click could change.
auto flags_and_numbers()
{
    return std::tuple(game.previous_player, game.game_over, game.aiming_enabled, game.aim_sin, game.aim_neg_cos,
                      game.shot_strength, game.current_player, game.shot_evaluated, game.outcome,
                      game.first_contact_seen, game.skip_cue_restore, game.cue_drawn, game.shot_launched_this_game);
}

}  // namespace

// The game started in a folder without its table picture, then given a good
// one, a damaged one and a good one again: the player is told what is wrong,
// nothing runs without a picture, and clicking around cannot change the game.
class TablePictureTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    QString game_folder;
    QByteArray good_picture;
    std::unique_ptr<TForm1> form;

    void put_picture(const QByteArray& bytes)
    {
        QFile file(folder.filePath("tavlo2.bmp"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    // Reads the message box on the screen and closes it, as the player would.
    QString take_message()
    {
        auto* box = form->findChild<QMessageBox*>();
        if (!box || !box->isVisible() || box->windowTitle() != "Corvenne") return QString();
        const QString text = box->text();
        delete box;
        return text;
    }
    QWidget* control(const char* name) { return form->findChild<QWidget*>(name); }
    void new_game() { form->findChild<QAction*>("Nouvellepartie1")->trigger(); }
    static QImage backdrop() { return background_picture().copy(0, 34, 705, 384).convertToFormat(QImage::Format_RGB32); }

    void expect_nothing_running()
    {
        QVERIFY(!window().timer_on(Timer2));
        QVERIFY(!game.aiming_enabled);
        QVERIFY(form->table_view().back_buffer().isNull());
        QVERIFY(form->table_view().table_picture().isNull());
        QCOMPARE(form->table_view().surface(), backdrop());  // no table in the drawing area
    }

    // Aims, shoots, tries to put the cue ball back and presses undo while the
    // timers have time to tick: none of it may move a ball or draw a table.
    void click_around()
    {
        const BallPlaces before = ball_places();
        QWidget* table = control("PaintBox1");
        for (QPoint at : {QPoint(300, 150), QPoint(76 + 100, 41 + 150), QPoint(0, 0), QPoint(704, 383)}) {
            QTest::mouseMove(table, at);
            QTest::mouseClick(table, Qt::LeftButton, {}, at);
        }
        QTest::mouseClick(control("SpeedButton1"), Qt::LeftButton);
        QTest::qWait(250);
        QVERIFY(ball_places() == before);
        expect_nothing_running();
    }

    void expect_rack_set_up()
    {
        QCOMPARE(take_message(), QString());
        QCOMPARE(status_line(*form), QString("Start new game"));
        QVERIFY(window().timer_on(Timer2));
        QCOMPARE(form->table_view().table_picture().size(), QSize(550, 300));
        const QImage seen = control("PaintBox1")->grab().toImage();
        QCOMPARE(seen.pixelColor(RACK_X[CUE_BALL] + 76, RACK_Y[CUE_BALL] + 41), QColor(Qt::white));
        QCOMPARE(seen.pixelColor(RACK_X[BLACK_BALL] + 76, RACK_Y[BLACK_BALL] + 41), QColor(Qt::black));
    }

private slots:
    void initTestCase()
    {
        QFile shipped("tavlo2.bmp");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        good_picture = shipped.readAll();
        QVERIFY(folder.isValid());
        game_folder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        form = open_main_window();
        QVERIFY(form);
    }

    void cleanupTestCase()
    {
        form.reset();
        QDir::setCurrent(game_folder);
    }

    void AMissingPictureIsNamedAndTheWindowOpensWithoutATable()
    {
        const QString message = take_message();
        QVERIFY2(message.startsWith("tavlo2.bmp: the file is missing"), qPrintable(message));
        expect_nothing_running();
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QCOMPARE(game.current_player, 0);
        QCOMPARE(status_line(*form), QString());
    }

    // Before the first rack there is no player whose group a press could
    // check, and nothing else for a click to change either.
    void AClickBeforeAnyRackChangesNoGameRecord()
    {
        const auto before = flags_and_numbers();
        click_around();
        QVERIFY(flags_and_numbers() == before);
        for (const tjoueur& player : game.players) {
            QCOMPARE(player.group, 0);
            QVERIFY(!player.on_black);
        }
    }

    void NewGameSetsUpTheRackOnceThePictureIsThere()
    {
        put_picture(good_picture);
        new_game();
        expect_rack_set_up();
    }

    // The decoder's own tests name every kind of damage; here one shows what
    // the window does with it in the middle of a game.
    void ADamagedPictureAtNewGameIsNamedAndTheGameStops()
    {
        put_picture(good_picture.left(good_picture.size() / 2));
        new_game();
        QCOMPARE(take_message(), QString("tavlo2.bmp: the picture data is cut short"));
        expect_nothing_running();
        click_around();
    }

    void AGoodPictureBringsTheGameBack()
    {
        put_picture(good_picture);
        new_game();
        expect_rack_set_up();
    }
};

QTEST_MAIN(TablePictureTest)
#include "table_picture_test.moc"
