#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <array>
#include <memory>
#include <tuple>

#include "app/Unit1.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

namespace {

// Offsets of the header fields that the damage rewrites.
constexpr int HEADER_SIZE_AT = 14;
constexpr int WIDTH_AT = 18;
constexpr int HEIGHT_AT = 22;

QByteArray with_u32(QByteArray bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

QByteArray with_size(const QByteArray& bytes, qint32 width, qint32 height)
{
    return with_u32(with_u32(bytes, WIDTH_AT, quint32(width)), HEIGHT_AT, quint32(height));
}

using BallPlaces = std::array<std::pair<float, float>, BALL_COUNT>;

BallPlaces ball_places()
{
    BallPlaces places;
    for (int i = 1; i <= BALL_COUNT; ++i) places[i - 1] = {game.balls[i].x, game.balls[i].y};
    return places;
}

}  // namespace

// The game started, and restarted, with a damaged "tavlo2.bmp" in its folder:
// the player is told what is wrong with the file, nothing runs, and clicking
// around cannot crash the game.
class DamagedPictureTest : public QObject {
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

    void expect_nothing_running()
    {
        QVERIFY(!window().timer_on(Timer2));
        QVERIFY(!game.aiming_enabled);
        QVERIFY(form->table_view().back_buffer().isNull());
        QVERIFY(form->table_view().table_picture().isNull());
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

private slots:
    void initTestCase()
    {
        QFile shipped("tavlo2.bmp");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        good_picture = shipped.readAll();
        QVERIFY(folder.isValid());
        game_folder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        put_picture(good_picture.left(good_picture.size() / 2));
        reset_game_state();
        form = std::make_unique<TForm1>(background_picture());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanupTestCase()
    {
        form.reset();
        QDir::setCurrent(game_folder);
    }

    void at_start_up_the_player_is_told_and_no_rack_is_set_up()
    {
        QCOMPARE(take_message(), QString("tavlo2.bmp: the picture data is cut short"));
        expect_nothing_running();
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QCOMPARE(game.current_player, 0);
    }

    // Before the first rack there is no player whose group a press could
    // check, and nothing else for a click to change either.
    void a_click_before_any_rack_changes_no_game_record()
    {
        const auto flags_and_numbers = [] {
            return std::tuple(game.previous_player, game.game_over, game.aiming_enabled, game.aim_sin,
                              game.aim_neg_cos, game.shot_strength, game.current_player, game.shot_evaluated,
                              game.outcome, game.first_contact_seen, game.skip_cue_restore, game.cue_drawn,
                              game.shot_launched_this_game);
        };
        const auto before = flags_and_numbers();
        click_around();
        QVERIFY(flags_and_numbers() == before);
        for (const tjoueur& player : game.players) {
            QCOMPARE(player.group, 0);
            QVERIFY(!player.on_black);
        }
    }

    void at_new_game_the_fault_is_named_and_the_game_stops_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QString>("reason");
        const QByteArray& good = good_picture;
        const QString cut_short = "the picture data is cut short";
        QTest::newRow("cut in half") << good.left(good.size() / 2) << cut_short;
        QTest::newRow("cut inside the header") << good.left(20) << cut_short;
        QTest::newRow("empty file") << QByteArray() << "not a BMP picture";
        QTest::newRow("wrong signature") << QByteArray("PK").append(good.mid(2)) << "not a BMP picture";
        QTest::newRow("old kind of header") << with_u32(good, HEADER_SIZE_AT, 12)
                                           << "unsupported kind of BMP: old 12-byte header";
        QTest::newRow("zero width") << with_size(good, 0, 300) << "the picture has no pixels (size 0 × 300)";
        QTest::newRow("zero height") << with_size(good, 550, 0) << "the picture has no pixels (size 550 × 0)";
        QTest::newRow("huge dimensions") << with_size(good, 2'000'000, 2'000'000)
                                        << "the picture size 2000000 × 2000000 is absurd (at most 4096 on a side)";
        QTest::newRow("largest dimensions without their pixels") << with_size(good, 4096, 4096) << cut_short;
    }

    // Each row starts from a game in progress on a good picture.
    void at_new_game_the_fault_is_named_and_the_game_stops()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QString, reason);
        put_picture(good_picture);
        new_game();
        QCOMPARE(take_message(), QString());
        QVERIFY(window().timer_on(Timer2));

        const QImage backdrop = background_picture().copy(0, 34, 705, 384).convertToFormat(QImage::Format_RGB32);
        QVERIFY(form->table_view().surface() != backdrop);

        put_picture(picture);
        new_game();
        QCOMPARE(take_message(), "tavlo2.bmp: " + reason);
        QCOMPARE(form->table_view().surface(), backdrop);  // the old table is gone from the drawing area
        expect_nothing_running();
        click_around();
    }

    void a_good_picture_brings_the_game_back()
    {
        put_picture(good_picture);
        new_game();
        QCOMPARE(take_message(), QString());
        QVERIFY(window().timer_on(Timer2));
        QCOMPARE(form->findChild<QLabel*>("Panel3")->text(), QString("Start new game"));
        QCOMPARE(form->table_view().table_picture().size(), QSize(550, 300));
    }
};

QTEST_MAIN(DamagedPictureTest)
#include "damaged_picture_test.moc"
