#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QUdpSocket>
#include <QtTest>
#include <memory>

#include "match/record_replay.h"
#include "match/table_check.h"
#include "app/join_dialog.h"
#include "app/host_dialog.h"
#include "net/lan_host_finder.h"
#include "tests/net/relay/test_broker.h"
#include "tests/support/main_window.h"

// The main window in a network match with a driver on loopback: the
// window's player plays with the mouse on the drawing area, and uses the
// menus and dialogs as a player does.
class WindowMatchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void AWindowHostsADriverJoinsAndBothPlayTwoShots();
    void AWindowJoinsAHostPickedFromTheListAndIsToldWhenItLeaves();
    void AWindowHostsOverTheRelayAndADriverJoinsWithTheCodeItShows();
    void AWindowWatchesAMatchOverTheRelay();
};

namespace {

constexpr int ANNOUNCEMENT_PORT = 47147;

QLabel& panel(const TForm1& form, const char* name)
{
    return *form.findChild<QLabel*>(QString::fromLatin1(name));
}

// Every line of the panel's text is shown whole, however long the name.
bool readable_in_full(const QLabel& label)
{
    const QFontMetrics metrics(label.font());
    for (const QString& line : label.text().split(QLatin1Char('\n')))
        if (line.contains(QChar(0x2026)) || metrics.horizontalAdvance(line) > label.contentsRect().width())
            return false;
    return label.contentsRect().height() >= metrics.lineSpacing() * int(label.text().count(QLatin1Char('\n')) + 1);
}

// The status panel's text, wrapped, within its two lines.
bool fits_two_lines(const QLabel& status)
{
    const QFontMetrics metrics(status.font());
    return metrics.boundingRect(status.contentsRect(), Qt::TextWordWrap, status.text()).height()
           <= metrics.height() + metrics.lineSpacing();
}

QAction* menu_item(const TForm1& form, const QString& text)
{
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

QPushButton* dialog_button(const QDialog& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
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

// A press while nobody plays against this window changes nothing on its table.
bool press_changes_nothing(TForm1& form)
{
    const std::string before = table_state_without_time();
    shoot_with_the_mouse(form, QPoint(407, 196));
    QTest::qWait(300);
    return table_state_without_time() == before && table_settled();
}

}  // namespace

void WindowMatchTest::AWindowHostsADriverJoinsAndBothPlayTwoShots()
{
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    const quint16 port = free_port();
    form->network().host_now(port, QStringLiteral("Anna"));

    // Until the guest comes, the window says where it hosts, and its table takes no shot.
    QVERIFY(status_line(*form).contains(QStringLiteral(", port %1: waiting for a player\u2026").arg(port)));
    QCOMPARE(panel(*form, "Panel2").text(), QStringLiteral("waiting for a player\u2026"));
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 10'000);
    QVERIFY(press_changes_nothing(*form));

    const QString guest = QStringLiteral("Bartholomew Montgomeryyy");  // 24 characters
    QProcess driver;
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    driver.write(QStringLiteral("join %1 %2\nawait\nawait\npress 230 191\nshot 242 229\nshot 300 200\nstate\n")
                     .arg(port)
                     .arg(guest)
                     .toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel2").text(), guest, 10'000);
    QVERIFY(readable_in_full(panel(*form, "Panel2")));
    QCOMPARE(panel(*form, "Panel1").text(), QStringLiteral("Anna"));
    QCOMPARE(status_line(*form), QStringLiteral("Start new game"));

    // Player 1 breaks and keeps the table, then pots the cue ball: player 2
    // has it in hand. A press while the break still rolls is no second shot.
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 10'000);
    shoot_with_the_mouse(*form, QPoint(407, 196));
    QTRY_VERIFY_WITH_TIMEOUT(!game.shot_evaluated, 10'000);
    shoot_with_the_mouse(*form, QPoint(300, 300));
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

    // Saved now, the match keeps the names the panels show.
    QTemporaryDir folder;
    QFile saved(folder.filePath(QStringLiteral("network.corvenne")));
    QVERIFY(form->match_menu().save_file(saved.fileName()) && saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(QStringLiteral("\n# Player 1: Anna\n# Player 2: %1\n").arg(guest).toUtf8()));

    // A new game asked for is told until the guest answers.
    menu_item(*form, QStringLiteral("New game"))->trigger();
    QCOMPARE(status_line(*form), QStringLiteral("Asked %1 for a new game\u2026").arg(guest));
    driver.write("await\n");
    QTRY_COMPARE_WITH_TIMEOUT(lines_of(driver, lines).size(), 4, 30'000);
    QCOMPARE(status_line(*form), QStringLiteral("Start new game"));

    // The guest leaves: the host's window says so and waits for a player again.
    driver.closeWriteChannel();
    QVERIFY(driver.waitForFinished(10'000));
    QCOMPARE(driver.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(status_line(*form).startsWith(guest + QStringLiteral(" left the game. Hosting on ")),
                             10'000);
    QCOMPARE(panel(*form, "Panel2").text(), guest + QStringLiteral("\nleft"));
    QVERIFY(readable_in_full(panel(*form, "Panel2")));
    QVERIFY(fits_two_lines(panel(*form, "Panel3")));
    QVERIFY(press_changes_nothing(*form));

    // Whatever would end the match asks first, and "No" keeps it.
    const QString question = QStringLiteral("EndMatchQuestion");
    for (const QString& item : {QStringLiteral("Host a network game\u2026"), QStringLiteral("Join a network game\u2026"),
                                QStringLiteral("Computer: easy"), QStringLiteral("Exit")}) {
        menu_item(*form, item)->trigger();
        QVERIFY2(form->findChild<QMessageBox*>(question)->text() == QStringLiteral("End the match with %1?").arg(guest),
                 qPrintable(item));
        form->findChild<QMessageBox*>(question)->button(QMessageBox::No)->click();
        QTRY_VERIFY(!form->findChild<QMessageBox*>(question));
        QVERIFY(form->network().engaged() && form->isVisible() && menu_item(*form, "Second player")->isChecked());
    }
    menu_item(*form, QStringLiteral("Computer: easy"))->trigger();
    form->findChild<QMessageBox*>(question)->button(QMessageBox::Yes)->click();
    QVERIFY(!form->network().engaged() && menu_item(*form, QStringLiteral("Computer: easy"))->isChecked());
}

void WindowMatchTest::AWindowHostsOverTheRelayAndADriverJoinsWithTheCodeItShows()
{
    TestBroker broker;
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    menu_item(*form, QStringLiteral("Host a network game\u2026"))->trigger();
    QPointer<HostDialog> dialog = form->findChild<HostDialog*>();  // it deletes itself once a guest has joined
    QVERIFY(dialog);
    dialog->findChildren<QLineEdit*>().at(0)->setText(QStringLiteral("Anna"));
    dialog->findChildren<QRadioButton*>().at(1)->setChecked(true);
    // A relay that fails is told and not remembered; the one that works is, with the mode.
    auto* relay = dialog->findChild<QLineEdit*>(QStringLiteral("relay"));
    relay->setText(QStringLiteral("mqtt://127.0.0.1:%1").arg(free_port()));
    QTest::mouseClick(dialog_button(*dialog, QStringLiteral("Host")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(status_line(*form).contains(QStringLiteral("cannot be reached")), 20'000);
    QVERIFY(remembered_network_choices().relay != relay->text());
    relay->setText(QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port()));
    QTest::mouseClick(dialog_button(*dialog, QStringLiteral("Host")), Qt::LeftButton);

    // The codes show once the relay has heard the match, in the dialog and the window.
    const QRegularExpression code_form(QStringLiteral("^[0-9A-Z]{5}-[0-9A-Z]{5}$"));
    QLabel* const code_label = dialog->findChild<QLabel*>(QStringLiteral("MatchCode"));
    QTRY_VERIFY_WITH_TIMEOUT(code_form.match(code_label->text()).hasMatch(), 10'000);
    const QString code = code_label->text();
    const QString watch_code = dialog->findChild<QLabel*>(QStringLiteral("WatchCode"))->text();
    QVERIFY(code_form.match(watch_code).hasMatch() && watch_code != code);
    QVERIFY(status_line(*form).startsWith(QStringLiteral("Match code %1: give this code to your friend.").arg(code)));
    QVERIFY(remembered_network_choices().relay == relay->text() && remembered_network_choices().over_internet);

    QProcess driver;
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    // The driver names the relay as a player types it.
    driver.write(
        QStringLiteral("join-relay mqtt://127.0.0.1:%1 %2 Bo\n").arg(broker.port()).arg(code.toLower()).toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel2").text(), QStringLiteral("Bo"), 20'000);
    QTRY_VERIFY(!dialog || !dialog->isVisible());
    // Someone watches, and the host's window counts them; the watch code takes no seat (the
    // window's own event loop answers it).
    QProcess watcher, intruder;
    for (QProcess* process : {&watcher, &intruder}) {
        process->start(QStringLiteral(CORVENNE_REPLAY), {});
        QVERIFY(process->waitForStarted());
    }
    watcher.write(QStringLiteral("watch-relay %1 %2 Cleo\n").arg(broker.port()).arg(watch_code).toUtf8());
    intruder.write(QStringLiteral("join-relay %1 %2 Eve\n").arg(broker.port()).arg(watch_code).toUtf8());
    intruder.closeWriteChannel();
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel1").text(), QStringLiteral("Anna\n1 watching"), 20'000);
    QTRY_VERIFY_WITH_TIMEOUT(intruder.state() == QProcess::NotRunning, 30'000);
    QCOMPARE(intruder.exitCode(), 5);
    watcher.kill();
    // The relay falls and comes back: the guest joins again by itself, and the window says so.
    broker.stop(SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(!form->network().connected(), 30'000);
    QVERIFY(broker.start());
    QTRY_COMPARE_WITH_TIMEOUT(status_line(*form), QStringLiteral("Bo is back"), 60'000);
    driver.write("leave\n");
    driver.closeWriteChannel();
    QVERIFY(driver.waitForFinished(10'000));
    QCOMPARE(driver.exitCode(), 0);

    // The guest gone, then the relay: each told, with the code, in the status panel's two lines.
    QTRY_COMPARE_WITH_TIMEOUT(status_line(*form), QStringLiteral("Bo left the game. Match code %1.").arg(code), 10'000);
    broker.stop(SIGKILL);
    QTRY_COMPARE_WITH_TIMEOUT(status_line(*form),
                              QStringLiteral("The relay 127.0.0.1:%1 cannot be reached: is the address right? Match "
                                             "code %2.")
                                  .arg(broker.port())
                                  .arg(code),
                              20'000);
    QVERIFY(fits_two_lines(panel(*form, "Panel3")));
}

void WindowMatchTest::AWindowJoinsAHostPickedFromTheListAndIsToldWhenItLeaves()
{
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    // Cancel stops a join that hears no answer, at once and without a word.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    menu_item(*form, QStringLiteral("Join a network game\u2026"))->trigger();
    QPointer<JoinDialog> dialog = form->findChild<JoinDialog*>();  // it deletes itself once closed
    QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
    fields.at(0)->setText(QStringLiteral("Bo"));
    fields.at(1)->setText(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()));
    QTest::mouseClick(dialog_button(*dialog, QStringLiteral("Join")), Qt::LeftButton);
    QVERIFY(status_line(*form).startsWith(QStringLiteral("Joining")));
    QTest::mouseClick(dialog_button(*dialog, QStringLiteral("Cancel")), Qt::LeftButton);
    QVERIFY(!form->network().engaged() && !form->findChild<QMessageBox*>());

    // The dialog offers again what was typed; nothing is remembered until a join works.
    QTRY_VERIFY(!dialog);
    menu_item(*form, QStringLiteral("Join a network game\u2026"))->trigger();
    dialog = form->findChild<JoinDialog*>();
    fields = dialog->findChildren<QLineEdit*>();
    QCOMPARE(fields.at(1)->text(), QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()));
    QVERIFY(remembered_network_choices().host != fields.at(1)->text());
    QPushButton* join = dialog_button(*dialog, QStringLiteral("Join"));

    // A wrong address is told once, in the dialog, in words.
    const quint16 closed_port = free_port();
    fields.at(1)->setText(QStringLiteral("127.0.0.1:%1").arg(closed_port));
    QTest::mouseClick(join, Qt::LeftButton);
    const QString nobody = QStringLiteral("Nobody answers at 127.0.0.1:%1: is the game hosting there, and is its port "
                                          "open?")
                               .arg(closed_port);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->findChildren<QLabel*>().last()->text() == nobody, 20'000);
    QVERIFY(!form->findChild<QMessageBox*>());
    QVERIFY(!form->network().engaged());

    // The driver hosts once its port takes a connection.
    const quint16 port = free_port();
    QProcess driver;
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    driver.write(QStringLiteral("host %1 Anna\n").arg(port).toUtf8());
    QTcpSocket probe;
    QTRY_VERIFY_WITH_TIMEOUT((probe.connectToHost(QHostAddress::LocalHost, port), probe.waitForConnected(1'000)), 30'000);
    probe.abort();

    // The host is heard on the local network, as from a socket of the other kind;
    // the game picked stays picked while the list is renewed, and a double-click joins it.
    auto* found = dialog->findChild<QListWidget*>();
    const QString listed = QStringLiteral("Anna \u2014 127.0.0.1:%1").arg(port);
    QUdpSocket announcer;
    const auto announce = [&] {
        announcer.writeDatagram(QStringLiteral("corvenne-host 1 %1 Anna").arg(port).toUtf8(), QHostAddress::LocalHost,
                                ANNOUNCEMENT_PORT);
    };
    QTRY_VERIFY_WITH_TIMEOUT((announce(), !found->findItems(listed, Qt::MatchExactly).isEmpty()), 10'000);
    found->setCurrentItem(found->findItems(listed, Qt::MatchExactly).first());
    QSignalSpy renewed(dialog->findChild<LanHostFinder*>(), &LanHostFinder::hosts_changed);
    QTRY_VERIFY_WITH_TIMEOUT((announce(), !renewed.isEmpty()), 10'000);
    QVERIFY(found->currentItem() && found->currentItem()->text() == listed && found->currentItem()->isSelected());
    const QPoint picked = found->visualItemRect(found->currentItem()).center();
    QTest::mouseClick(found->viewport(), Qt::LeftButton, {}, picked);
    QTest::mouseDClick(found->viewport(), Qt::LeftButton, {}, picked);
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel1").text(), QStringLiteral("Anna"), 30'000);
    QCOMPARE(panel(*form, "Panel2").text(), QStringLiteral("Bo"));
    QTRY_VERIFY(!dialog || !dialog->isVisible());
    QCOMPARE(remembered_network_choices().host, QStringLiteral("127.0.0.1:%1").arg(port));

    // The host's program is gone without a word: the window joins again by
    // itself and says so, until a host is there again on the same port.
    driver.kill();
    QVERIFY(driver.waitForFinished(10'000));
    QTRY_COMPARE_WITH_TIMEOUT(status_line(*form), QStringLiteral("Connection to Anna lost: joining again\u2026 (2)"),
                              20'000);
    QVERIFY(fits_two_lines(panel(*form, "Panel3")));
    driver.start(QStringLiteral(CORVENNE_REPLAY), {});
    QVERIFY(driver.waitForStarted());
    driver.write(QStringLiteral("host %1 Anna\nsettle\nstate\n").arg(port).toUtf8());
    QTRY_COMPARE_WITH_TIMEOUT(status_line(*form), QStringLiteral("Anna is back"), 30'000);
    QVERIFY(fits_two_lines(panel(*form, "Panel3")));
    QStringList lines;
    QTRY_COMPARE_WITH_TIMEOUT(lines_of(driver, lines).size(), 1, 10'000);
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 10'000);
    QCOMPARE(QString::fromStdString(table_state_without_time()), QStringLiteral("{") + lines.at(0).section(',', 1));

    // The host pots the black early, which gives the guest the rack.
    driver.write("shot 407 196\nshot 435 339\n");
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel2").text(), QStringLiteral("Bo 1 \u2605"), 60'000);
    QCOMPARE(status_line(*form), QStringLiteral("Victory!"));  // told from the guest's side

    // The host leaves: the guest is told why, its table stays and takes no press.
    driver.write("leave\n");
    QTRY_VERIFY_WITH_TIMEOUT(
        status_line(*form) == QStringLiteral("Anna left the game. Opponent menu: Join again or Leave."),
        10'000);
    QCOMPARE(panel(*form, "Panel1").text(), QStringLiteral("Anna 0\nleft"));
    QVERIFY(panel(*form, "Panel1").isVisible());
    // The caught-up rack may still be coming to rest on a slow machine.
    QTRY_VERIFY_WITH_TIMEOUT(table_settled(), 10'000);
    QVERIFY(press_changes_nothing(*form));
    QVERIFY(menu_item(*form, QStringLiteral("Join again"))->isVisible());
    for (const QString& item : {QStringLiteral("Open match\u2026"), QStringLiteral("Watch from the start")})
        QVERIFY(!menu_item(*form, item)->isEnabled());

    // Leaving returns to a local game, and says so.
    menu_item(*form, QStringLiteral("Leave the network game"))->trigger();
    QVERIFY(!form->network().engaged());
    QVERIFY(form->findChild<QMessageBox*>()->text().contains(QStringLiteral("local game")));
    QVERIFY(menu_item(*form, QStringLiteral("Open match\u2026"))->isEnabled());

    driver.closeWriteChannel();
    QVERIFY(driver.waitForFinished(10'000));
}

// A driver hosts over the relay and another joins; the window watches with
// the watch code, sees both players, and its table takes no press.
void WindowMatchTest::AWindowWatchesAMatchOverTheRelay()
{
    TestBroker broker;
    std::unique_ptr<TForm1> form = open_main_window();
    QVERIFY(form);
    QProcess host, guest;
    for (QProcess* process : {&host, &guest}) {
        process->start(QStringLiteral(CORVENNE_REPLAY), {});
        QVERIFY(process->waitForStarted());
    }
    host.write(
        QStringLiteral("host-relay %1 Anna\nshot 407 196\nshot 602 176\nawait\nstate\n").arg(broker.port()).toUtf8());
    QStringList host_lines;
    QTRY_VERIFY_WITH_TIMEOUT(!lines_of(host, host_lines).isEmpty(), 20'000);
    const QJsonObject codes = QJsonDocument::fromJson(host_lines.at(0).toUtf8()).object();
    guest.write(QStringLiteral("join-relay %1 %2 Bo\nawait\nawait\npress 230 191\n")
                    .arg(broker.port())
                    .arg(codes[QStringLiteral("code")].toString())
                    .toUtf8());

    menu_item(*form, QStringLiteral("Watch a network game\u2026"))->trigger();
    QPointer<JoinDialog> dialog = form->findChild<JoinDialog*>();
    QVERIFY(dialog);
    const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
    fields.at(0)->setText(QStringLiteral("Cleo"));
    fields.at(1)->setText(codes[QStringLiteral("watch")].toString());
    fields.at(2)->setText(QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port()));
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Watch")) QTest::mouseClick(button, Qt::LeftButton);
    // The guest's name comes with the welcome; the host's panel waits until the table has caught up.
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel2").text(), QStringLiteral("Bo"), 20'000);
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "Panel1").text(), QStringLiteral("Anna"), 30'000);

    // The guest's placement comes to the host and to the window alike.
    QTRY_COMPARE_WITH_TIMEOUT(lines_of(host, host_lines).size(), 3, 30'000);
    QTRY_VERIFY_WITH_TIMEOUT(QString::fromStdString(table_state_without_time())
                                 == QStringLiteral("{") + host_lines.at(2).section(',', 1),
                             30'000);
    QVERIFY(status_line(*form).endsWith(QStringLiteral("\nWatching Anna and Bo")));
    QVERIFY(fits_two_lines(panel(*form, "Panel3")));
    QVERIFY(press_changes_nothing(*form));
    for (QProcess* process : {&host, &guest}) {
        process->closeWriteChannel();
        QVERIFY(process->waitForFinished(10'000));
    }
}

QTEST_MAIN(WindowMatchTest)
#include "window_match_test.moc"
