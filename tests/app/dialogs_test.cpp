#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

#include "app/dialog_message.h"
#include "app/host_dialog.h"
#include "app/join_dialog.h"
#include "app/panel_fit.h"
#include "net/lan_host_finder.h"

// The host and join dialogs as a player uses them, offscreen; the network
// seen only through a loopback announcement.
class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void HostingNeedsAPlayersNameThenWaitsForAGuest();
    void HostingOverTheInternetShowsTheCodeAndTheRelay();
    void JoiningTakesAGameFoundOnTheNetworkOrAnAddressThatReads();
    void LongNamesAddressesAndMessagesFitTheScreenAndThePanels();
};

namespace {

QPushButton* button(QDialog& dialog, const QString& text)
{
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
        if (candidate->text() == text) return candidate;
    return nullptr;
}

NetworkChoices offered(const QString& name)
{
    NetworkChoices choices;
    choices.name = name;
    choices.relay = QStringLiteral("relay.example.org");
    return choices;
}

QString message(QDialog& dialog)
{
    QString text;
    for (QLabel* label : dialog.findChildren<QLabel*>()) text += label->text();
    return text;
}

}  // namespace

void DialogsTest::HostingNeedsAPlayersNameThenWaitsForAGuest()
{
    HostDialog dialog(offered(QString()));
    QSignalSpy requested(&dialog, &HostDialog::host_requested);
    QPushButton* host = button(dialog, QStringLiteral("Host"));
    QVERIFY(host && !host->isEnabled());
    QLineEdit* name = dialog.findChild<QLineEdit*>();
    QTest::keyClicks(name, QStringLiteral("Abcdefghijklmnopqrstuvwxy"));  // 25 characters
    QVERIFY(!host->isEnabled());
    QVERIFY(message(dialog).contains(QStringLiteral("at most 24 characters")));
    name->setText(QStringLiteral("Anna"));
    QTest::mouseClick(host, Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("Anna"));
    QCOMPARE(requested.at(0).at(1).value<quint16>(), quint16{47147});

    dialog.show_waiting({QStringLiteral("192.168.1.20")});
    QVERIFY(message(dialog).contains(QStringLiteral("192.168.1.20, port 47147")));
    QVERIFY(message(dialog).contains(QStringLiteral("Waiting for a player\u2026")));
    QVERIFY(host->isHidden());
}

void DialogsTest::HostingOverTheInternetShowsTheCodeAndTheRelay()
{
    HostDialog dialog(offered(QStringLiteral("Anna")));
    QSignalSpy requested(&dialog, &HostDialog::host_over_relay_requested);
    dialog.findChildren<QRadioButton*>().at(1)->setChecked(true);
    auto* relay = dialog.findChild<QLineEdit*>(QStringLiteral("relay"));
    relay->clear();
    QTest::mouseClick(button(dialog, QStringLiteral("Host")), Qt::LeftButton);
    QCOMPARE(requested.count(), 0);
    relay->setText(QStringLiteral("mqtt://127.0.0.1:1883"));
    QTest::mouseClick(button(dialog, QStringLiteral("Host")), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(1).toString(), QStringLiteral("mqtt://127.0.0.1:1883"));

    dialog.show_code(QStringLiteral("7K3QM-2B9XD"), QStringLiteral("W4TCH-C0DE5"),
                     QStringLiteral("mqtt://127.0.0.1:1883"));
    QVERIFY(message(dialog).contains(QStringLiteral("7K3QM-2B9XD")));
    QVERIFY(message(dialog).contains(QStringLiteral("Give this code to your friend")));
    QVERIFY(message(dialog).contains(QStringLiteral("Relay: mqtt://127.0.0.1:1883")));
    QTest::mouseClick(button(dialog, QStringLiteral("Copy")), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("7K3QM-2B9XD"));
    // The watch code has a Copy of its own.
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CopyWatchCode")), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("W4TCH-C0DE5"));
}

void DialogsTest::JoiningTakesAGameFoundOnTheNetworkOrAnAddressThatReads()
{
    LanHostFinder finder;
    // As the game listens: on both kinds of address, so an IPv4 sender comes IPv4-mapped.
    QVERIFY(finder.listen(QHostAddress::Any, 0));
    JoinDialog dialog(offered(QStringLiteral("Bo")), finder);
    QSignalSpy requested(&dialog, &JoinDialog::join_requested);
    QUdpSocket announcer;
    announcer.writeDatagram(QByteArray("corvenne-host 1 5000 Anna"), QHostAddress::LocalHost, finder.port());
    auto* found = dialog.findChild<QListWidget*>();
    QTRY_COMPARE(found->count(), 1);
    QCOMPARE(found->item(0)->text(), QStringLiteral("Anna \u2014 127.0.0.1:5000"));
    found->setCurrentRow(0);
    QTest::mouseClick(button(dialog, QStringLiteral("Join")), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(1).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(requested.at(0).at(2).value<quint16>(), quint16{5000});

    dialog.findChildren<QLineEdit*>().at(1)->setText(QStringLiteral("anna.local:0"));
    QTest::mouseClick(button(dialog, QStringLiteral("Join")), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    QVERIFY(message(dialog).contains(QStringLiteral("anna.local:47147")));

    // A code as a friend may type it, read aloud.
    QSignalSpy code_requested(&dialog, &JoinDialog::join_code_requested);
    dialog.findChildren<QLineEdit*>().at(1)->setText(QStringLiteral(" 7k3qm 2b9xd"));
    QTest::mouseClick(button(dialog, QStringLiteral("Join")), Qt::LeftButton);
    QCOMPARE(code_requested.count(), 1);
    QCOMPARE(code_requested.at(0).at(1).toString(), QStringLiteral("7K3QM2B9XD"));
    QCOMPARE(code_requested.at(0).at(2).toString(), QStringLiteral("relay.example.org"));
}

void DialogsTest::LongNamesAddressesAndMessagesFitTheScreenAndThePanels()
{
    const QString name = QStringLiteral("Bartholomew Montgomeryyy");  // 24 characters
    const QString addresses = QStringLiteral("2001:db8:85a3:8d3:1319:8a2e:370:7348, 2001:db8:85a3:8d3:1319:8a2e:370:7349");
    const QString relay = QStringLiteral("relay-%1.example.org:8883").arg(QString(60, QLatin1Char('x')));
    const QString three_lines = QStringLiteral("The relay %1 does not answer.\nIs it right?\nMatch code 7K3QM-2B9XD.").arg(relay);

    // The dialogs stay on a 1024 × 768 screen; a word cut short shows whole in a tooltip.
    const auto fits_screen = [](const QDialog& dialog) { return dialog.sizeHint().boundedTo({1024, 768}) == dialog.sizeHint(); };
    LanHostFinder finder;
    HostDialog host(offered(name));
    JoinDialog join(offered(name), finder);
    host.show_code(QStringLiteral("7K3QM-2B9XD"), QStringLiteral("W4TCH-C0DE5"), relay);
    join.show_error(three_lines);
    QVERIFY(fits_screen(host) && fits_screen(join));
    QCOMPARE(join.findChild<DialogMessage*>()->toolTip(), three_lines);

    // The status panel shows the fullest form that fits two lines, else the last cut; the fullest is its tooltip.
    QLabel status;
    status.setFixedSize(385, 40);
    status.setWordWrap(true);
    const QString left = name + QStringLiteral(" left the game. ");
    for (const QStringList& forms :
         {QStringList{left + QStringLiteral("Hosting on %1, port 48203: waiting for a player\u2026").arg(addresses),
                      left + QStringLiteral("Hosting on port 48203: waiting for a player\u2026")},
          QStringList{QString(three_lines).replace(QLatin1Char('\n'), QLatin1Char(' '))}}) {
        fit_status_text(status, forms);
        const QFontMetrics metrics(status.font());
        QVERIFY(metrics.boundingRect(status.contentsRect(), Qt::TextWordWrap, status.text()).height()
                <= metrics.height() + metrics.lineSpacing());
        QVERIFY(status.text().startsWith(forms.first().left(10)) && status.text().endsWith(forms.last().right(30)));
        QCOMPARE(status.toolTip(), forms.first());
    }

    // A player panel cuts a line wider than it may grow, and shows it whole in a tooltip.
    QLabel panel;
    const QString joining = QStringLiteral("[2001:db8:85a3:8d3:1319:8a2e:370:7348]:47147\njoining\u2026");
    fit_panel_text(panel, QRect(117, 8, 163, 20), 240, joining);
    QVERIFY(panel.text().contains(QChar(0x2026)) && panel.toolTip() == joining);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
