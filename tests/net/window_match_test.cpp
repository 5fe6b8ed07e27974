#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "match/table_check.h"
#include "net/live_table.h"
#include "net/network_match.h"
#include "tests/support/main_window.h"

// The main window hosts a network match and a driver joins it on loopback;
// the window's inputs go through its own drawing area, undo button and menu.
class WindowMatchTest : public QObject {
    Q_OBJECT

private slots:
    void AWindowHostsADriverJoinsAndBothPlayTwoShots();
};

namespace {

// What a person does to the window: the mouse on the drawing area, the undo
// button, the menu's "New game".
class WindowHands : public TableHands {
public:
    explicit WindowHands(TForm1& window) : window_(window) {}
    void move(int x, int y) override { QTest::mouseMove(drawing_area(window_), QPoint(x, y)); }
    void press(int x, int y) override { QTest::mouseClick(drawing_area(window_), Qt::LeftButton, {}, QPoint(x, y)); }
    void undo() override { window_.findChild<QPushButton*>(QStringLiteral("SpeedButton1"))->click(); }
    void new_game() override { window_.findChild<QAction*>(QStringLiteral("Nouvellepartie1"))->trigger(); }

private:
    TForm1& window_;
};

// The driver's lines so far, read as they come.
QStringList lines_of(QProcess& driver, QStringList& lines)
{
    while (driver.canReadLine()) lines << QString::fromUtf8(driver.readLine()).trimmed();
    return lines;
}

QString without_time(const QString& state)
{
    return QStringLiteral("{") + state.section(QLatin1Char(','), 1);
}

}  // namespace

void WindowMatchTest::AWindowHostsADriverJoinsAndBothPlayTwoShots()
{
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    WindowHands hands(*form);
    LiveTable table(hands);
    NetworkMatch match(table);
    QSignalSpy joined(&match, &NetworkMatch::remote_joined);
    QSignalSpy applied(&match, &NetworkMatch::input_applied);
    QString why;
    QVERIFY2(match.host(QHostAddress::LocalHost, 0, QStringLiteral("Anna"), why), qPrintable(why));

    QProcess driver;
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    driver.write(QStringLiteral("join %1 Bo\nawait\nawait\npress 230 191\nshot 242 229\nshot 300 200\nstate\n")
                     .arg(match.hosting_port())
                     .toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(joined.count(), 1, 10'000);
    QCOMPARE(joined.at(0).at(0).toString(), QStringLiteral("Bo"));
    QCOMPARE(match.remote_name(), QStringLiteral("Bo"));

    // Player 1 breaks and keeps the table, then pots the cue ball: player 2 has it in hand.
    match.play(Input{InputKind::shot, 407, 196});
    QTRY_VERIFY_WITH_TIMEOUT(!match.own_input_waiting() && applied.count() == 1, 10'000);
    QTRY_VERIFY_WITH_TIMEOUT(table.settled(), 30'000);
    match.play(Input{InputKind::shot, 602, 176});
    QTRY_COMPARE_WITH_TIMEOUT(applied.count(), 2, 10'000);

    // The driver places the cue ball and plays two shots; the window follows.
    QStringList lines;
    QTRY_COMPARE_WITH_TIMEOUT(lines_of(driver, lines).size(), 3, 90'000);
    QTRY_VERIFY_WITH_TIMEOUT(applied.count() == 5 && table.settled(), 30'000);
    QCOMPARE(lines.mid(0, 2), QStringList({QStringLiteral(R"({"remote":"shot 407 196","n":1})"),
                                           QStringLiteral(R"({"remote":"shot 602 176","n":2})")}));
    QCOMPARE(applied.at(4).at(1).value<Side>(), Side::guest);
    QCOMPARE(QString::fromStdString(table_state_without_time()), without_time(lines.at(2)));
    QCOMPARE(status_line(*form), QStringLiteral("Faul! Put white boal in the left part of the table"));

    driver.closeWriteChannel();
    QVERIFY(driver.waitForFinished(10'000));
    QCOMPARE(driver.exitCode(), 0);
}

QTEST_MAIN(WindowMatchTest)
#include "window_match_test.moc"
