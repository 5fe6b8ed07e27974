#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/Unit1.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

// The game started in a folder without its table picture.
class MissingPictureTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    QString game_folder;
    std::unique_ptr<TForm1> form;

    // Reads the message box on the screen and closes it, as the player would.
    QString take_message()
    {
        QMessageBox* box = form->findChild<QMessageBox*>();
        if (!box || !box->isVisible() || box->windowTitle() != "Corvenne") return QString();
        const QString text = box->text();
        delete box;
        return text;
    }
    QString status_line() { return form->findChild<QLabel*>("Panel3")->text(); }
    void new_game() { form->findChild<QAction*>("Nouvellepartie1")->trigger(); }
    QImage drawing_area() { return form->findChild<QWidget*>("PaintBox1")->grab().toImage(); }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        game_folder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        reset_game_state();
        form = std::make_unique<TForm1>(background_picture());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanupTestCase() { QDir::setCurrent(game_folder); }

    void the_player_is_told_which_file_is_missing()
    {
        const QString message = take_message();
        QVERIFY2(message.contains("tavlo2.bmp") && message.contains("missing"), qPrintable(message));
    }

    void the_window_opens_without_a_table_or_a_supervisor()
    {
        QVERIFY(form->isVisible());
        QVERIFY(!window().timer_on(Timer2));
        QVERIFY(form->table_view().back_buffer().isNull());
        QCOMPARE(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        QCOMPARE(status_line(), QString());
        const QImage backdrop = background_picture().copy(0, 34, 705, 384);
        QCOMPARE(drawing_area().convertToFormat(QImage::Format_RGB32), backdrop.convertToFormat(QImage::Format_RGB32));
    }

    void a_damaged_picture_is_named_and_new_game_stops()
    {
        QFile damaged(folder.filePath("tavlo2.bmp"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("BM this is not a picture");
        damaged.close();
        new_game();
        const QString message = take_message();
        QVERIFY2(message.startsWith("tavlo2.bmp") && !message.contains("missing"), qPrintable(message));
        QVERIFY(!window().timer_on(Timer2));
        QVERIFY(form->table_view().back_buffer().isNull());
        QVERIFY(damaged.remove());
    }

    void new_game_sets_up_the_rack_once_the_picture_is_there()
    {
        QVERIFY(QFile::copy(game_folder + "/tavlo2.bmp", folder.filePath("tavlo2.bmp")));
        new_game();
        QCOMPARE(take_message(), QString());
        QCOMPARE(status_line(), QString("Start new game"));
        QVERIFY(window().timer_on(Timer2));
        const QImage seen = drawing_area();
        QCOMPARE(seen.pixelColor(RACK_X[CUE_BALL] + 76, RACK_Y[CUE_BALL] + 41), QColor(Qt::white));
        QCOMPARE(seen.pixelColor(RACK_X[BLACK_BALL] + 76, RACK_Y[BLACK_BALL] + 41), QColor(Qt::black));
    }
};

QTEST_MAIN(MissingPictureTest)
#include "missing_picture_test.moc"
