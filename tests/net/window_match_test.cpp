#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>
#include <memory>

#include "match/table_check.h"
#include "match/record_replay.h"
#include "tests/support/main_window.h"

// The main window hosts a network match and a driver joins it on loopback;
// the window's player plays with the mouse on the drawing area.
class WindowMatchTest : public QObject {
    Q_OBJECT

private slots:
    void AWindowHostsADriverJoinsAndBothPlayTwoShots();
};

namespace {

quint16 free_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString panel(const TForm1& form, const char* name)
{
    return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// The driver's lines so far, read as they come.
const QStringList& lines_of(QProcess& driver, QStringList& lines)
{
    while (driver.canReadLine()) lines << QString::fromUtf8(driver.readLine()).trimmed();
    return lines;
}

void shoot_with_the_mouse(TForm1& form, QPoint at)
{
    QTest::mouseMove(drawing_area(form), at);
    QTest::mouseClick(drawing_area(form), Qt::LeftButton, {}, at);
}

}  // namespace

void WindowMatchTest::AWindowHostsADriverJoinsAndBothPlayTwoShots()
{
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    const quint16 port = free_port();
    form->network().host_now(port, QStringLiteral("Anna"));

    QProcess driver;
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    driver.write(QStringLiteral("join %1 Bo\nawait\nawait\npress 230 191\nshot 242 229\nshot 300 200\nstate\n")
                     .arg(port)
                     .toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel2"), QStringLiteral("Bo"), 10'000);
    QCOMPARE(panel(*form, "Panel1"), QStringLiteral("Anna"));

    // Player 1 breaks and keeps the table, then pots the cue ball: player 2 has it in hand.
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 10'000);
    shoot_with_the_mouse(*form, QPoint(407, 196));
    QTRY_VERIFY_WITH_TIMEOUT(!game.shot_evaluated, 10'000);
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 30'000);
    shoot_with_the_mouse(*form, QPoint(602, 176));

    // The driver places the cue ball and plays two shots; the window follows.
    QStringList lines;
    QTRY_COMPARE_WITH_TIMEOUT(lines_of(driver, lines).size(), 3, 90'000);
    QCOMPARE(lines.mid(0, 2), QStringList({QStringLiteral(R"({"remote":"shot 407 196","n":1})"),
                                           QStringLiteral(R"({"remote":"shot 602 176","n":2})")}));
    QTRY_VERIFY_WITH_TIMEOUT(table_settled() && game.current_player == 1, 30'000);
    QCOMPARE(QString::fromStdString(table_state_without_time()),
             QStringLiteral("{") + lines.at(2).section(QLatin1Char(','), 1));
    QCOMPARE(status_line(*form), QStringLiteral("Faul! Put white boal in the left part of the table"));
    QCOMPARE(panel(*form, "Panel2"), QStringLiteral("Bo"));

    driver.closeWriteChannel();
    QVERIFY(driver.waitForFinished(10'000));
    QCOMPARE(driver.exitCode(), 0);
}

QTEST_MAIN(WindowMatchTest)
#include "window_match_test.moc"
