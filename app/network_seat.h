#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "net/live_table.h"
#include "net/network_match.h"

class QMenu;
class QAction;
class QWidget;

// The other player at another computer: the "Opponent" menu's network items,
// their dialogs, and the match itself. While a network match lasts, this
// side's inputs go to the match, which applies them through the window's
// own handlers once the host has numbered them; the other side's inputs
// come back through the same handlers.
class NetworkSeat : public QObject {
    Q_OBJECT

public:
    // `hands` are the window's handlers that apply an input; `changed` is
    // called whenever the panels have something new to show.
    NetworkSeat(TableHands& hands, QWidget& window, std::function<void()> changed);

    // Adds the network items below the computer levels.
    void add_menu_items(QMenu& opponent_menu);
    // From the command line: host at once, or join at once.
    void host_now(quint16 port, const QString& name);
    void join_now(const QString& host, quint16 port, const QString& name);

    bool in_match() const { return match_.in_match(); }
    bool remote_has_cue() const { return match_.remote_has_cue(); }
    // This side's player: the input goes to the match instead of the table.
    void play(const Input& input) { match_.play(input); }
    void aim(int x, int y) { match_.aim(x, y); }
    void table_changed() { match_.table_changed(); }

    // The panels' names: this side's player and the other; the other's panel
    // shows what became of the connection while it is not there.
    int own_player() const { return match_.joining() ? 2 : 1; }
    QString own_name() const { return own_name_; }
    QString remote_panel_text() const;

private:
    void open_host_dialog();
    void open_join_dialog();
    void ask_for_new_game(const QString& name);
    void update_menu();
    void tell(const QString& message);

    LiveTable table_;
    NetworkMatch match_;
    QWidget& window_;
    std::function<void()> changed_;
    QString own_name_;
    QString remote_status_;
    QAction* leave_ = nullptr;
    QAction* join_again_ = nullptr;
};

// The window's own handlers, as a network match applies inputs through them.
struct WindowHands : TableHands {
    std::function<void(int, int)> moved, pressed;
    std::function<void()> undone, new_rack;
    std::function<void(const MatchRecord&, const TableSnapshot&)> took_over;
    void move(int x, int y) override { moved(x, y); }
    void press(int x, int y) override { pressed(x, y); }
    void undo() override { undone(); }
    void new_game() override { new_rack(); }
    void take_over(const MatchRecord& record, const TableSnapshot& table) override { took_over(record, table); }
};
