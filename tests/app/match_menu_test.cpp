#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "app/match_menu.h"
#include "match/match_file.h"
#include "match/table_hands.h"
#include "rules/game_wiring.h"

// The Match menu's files on a window of its own: what it writes, what it
// hands the window, and what it tells the player; the game plays headless.
class MatchMenuTest : public QObject {
    Q_OBJECT

private:
    QMainWindow window;
    QTemporaryDir folder;
    MatchRecord live{2'891'336'453u, {"shot 399 286", "press 228 178", "shot 228 178"}};
    // Won by player 2: player 1 pots the black early.
    EarlierRacks earlier{{7, {"shot 407 196", "shot 435 339"}}};
    std::optional<MatchRecord> taken_over;
    std::optional<std::pair<EarlierRacks, SeriesCount>> opened_before;
    MatchMenu* menu = nullptr;

    // The window's hands as far as the menu uses them: an opened match is taken over.
    struct Hands : TableHands {
        std::optional<MatchRecord>& taken_over;
        explicit Hands(std::optional<MatchRecord>& taken) : taken_over(taken) {}
        void move(int, int) override {}
        void press(int, int) override {}
        void undo() override {}
        void new_game() override {}
        void take_over(const MatchRecord& record, const TableSnapshot&) override { taken_over = record; }
    } hands{taken_over};

    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    void write(const QString& path, const QByteArray& bytes)
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    // The text of the message box shown last, which is then closed.
    QString told()
    {
        QMessageBox* box = nullptr;
        for (QMessageBox* each : window.findChildren<QMessageBox*>("MatchMessage")) box = each;
        if (!box) return {};
        const QString text = box->text();
        box->setObjectName({});
        box->close();
        return text;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);  // settings go to a folder of the tests' own
        MatchHooks hooks;
        hooks.record = [this]() -> const MatchRecord& { return live; };
        hooks.seat_names = [] { return std::array<QString, 2>{QStringLiteral("Anna"), QStringLiteral("Bob")}; };
        hooks.hands = &hands;
        hooks.earlier_racks = [this]() -> const EarlierRacks& { return earlier; };
        hooks.open_earlier_racks = [this](const EarlierRacks& racks, const SeriesCount& won) {
            opened_before = {racks, won};
        };
        menu = new MatchMenu(*window.menuBar(), window, hooks);
        window.show();
    }

    void SavedMatchOpensAsTheLiveRecord()
    {
        QVERIFY(menu->save_file(file("saved.corvenne")));
        QFile saved(file("saved.corvenne"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll());
        QVERIFY(text.contains(QStringLiteral("\n# Player 1: Anna\n# Player 2: Bob\npraise 7\n")));
        QVERIFY(text.contains(QStringLiteral("\nnew\npraise 2891336453\n")));
        QVERIFY(menu->open_file(file("saved.corvenne")));
        QVERIFY(taken_over);
        QCOMPARE(taken_over->praise_at_rack, live.praise_at_rack);
        QCOMPARE(taken_over->inputs, live.inputs);
        QVERIFY(opened_before && opened_before->first.size() == 1);
        QCOMPARE(opened_before->first[0].inputs, earlier[0].inputs);
        QCOMPARE(opened_before->second.won_by(1), 0u);
        QCOMPARE(opened_before->second.won_by(2), 1u);
        QCOMPARE(told(), QString());
    }

    // The message names the file, then the line and the reason; nothing is taken over.
    void AFileThatCannotBeOpenedIsToldByName()
    {
        write(file("bad.corvenne"), "# Corvenne match file, version 1\npraise 1\nshot 705 1\n");
        write(file("big.corvenne"), QByteArray(static_cast<qsizetype>(MATCH_FILE_MAX_BYTES) + 1, '#'));
        const std::pair<QString, QString> refused[] = {
            {file("bad.corvenne"), "line 3: shot: X 705 is out of range (0 to 704)"},
            {file("big.corvenne"), "the file is over 1 MB"},
            {folder.path(), "it is not a file"},
            {file("none.corvenne"), "there is no such file"},
        };
        taken_over.reset();
        for (const auto& [path, why] : refused) {
            QVERIFY(!menu->open_file(path));
            QCOMPARE(told(), QStringLiteral("The match file “%1” cannot be opened: %2").arg(path, why));
        }
        QVERIFY(!taken_over);
    }

    // A save that fails is told and leaves the file it was to replace alone.
    void AFailedSaveIsToldAndLosesNothing()
    {
        write(file("kept.corvenne"), "kept");
        live.inputs.push_back("press 100 100");  // not a record the window writes
        // The match's seventh input: the earlier rack's two and its new game come first.
        QVERIFY(!menu->save_file(file("kept.corvenne")));
        QCOMPARE(told(), QStringLiteral("The match cannot be saved: its input 7 does not replay "
                                        "(press: the cue ball is on the table, so the press shoots)"));
        live.inputs.resize(3);
        QVERIFY(!menu->save_file(file("no such folder/x.corvenne")));
        QVERIFY(told().startsWith(QStringLiteral("The match cannot be saved as “%1”: ").arg(file("no such folder/x.corvenne"))));
        QFile kept(file("kept.corvenne"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept"));
    }

    // The dialog's own history would be a file beside the game's settings.
    void AFileDialogLeavesNoSettingsBehind()
    {
        const QString history =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/QtProject.conf");
        QFile::remove(history);
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        window.findChild<QAction*>("OpenMatch")->trigger();
        QVERIFY(!QFile::exists(history));
    }
};

QTEST_MAIN(MatchMenuTest)
#include "match_menu_test.moc"
