#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

#include "protocol/live_table.h"
#include "net/network_match.h"

class HostDialog;
class JoinDialog;
struct RunRequest;
class QMenu;
class QAction;
class QWidget;

// The other player at another computer: the "Opponent" menu's network items,
// their dialogs, and the match itself. From hosting or joining until the
// player leaves, the table is the network match's: this side's inputs go to
// the match, which applies them through the window's own handlers once the
// host has numbered them, and the other side's inputs come back through the
// same handlers. While the other player is not there, the table takes no
// input at all, and the window says why. A watcher's table takes no input:
// both players' inputs and aims come over the network.
class NetworkSeat : public QObject {
    Q_OBJECT

public:
    // `hands` are the window's handlers that apply an input; `changed` is
    // called whenever the window has something new to show.
    NetworkSeat(TableHands& hands, QWidget& window, std::function<void()> changed);

    // Adds the network items below the computer levels.
    void add_menu_items(QMenu& opponent_menu);
    // From the command line: the relay for this run, and hosting or joining at once.
    void start(const RunRequest& request);
    void host_now(quint16 port, const QString& name);
    void host_over_relay_now(const QString& name);
    // `host_name` is the host's name when it was heard announcing itself.
    void join_now(const QString& host, quint16 port, const QString& name, const QString& host_name = {});
    // A code as read_match_code gives it, over the relay in use.
    void join_code_now(const QString& code, const QString& name);
    // Each hosted match is kept in a journal at `path`, so that it can be resumed.
    void keep_journal(const std::string& path) { match_.keep_journal(path); }
    // Hosts again the match a journal kept, where it was hosted, for its guest to come back.
    void resume_now(const HostJournal& journal);
    void watch_now(const QString& host, quint16 port, const QString& name);
    // A watch code, over the relay in use.
    void watch_code_now(const QString& code, const QString& name);

    // Hosting or joining, until the player leaves: the remote seat plays player 2.
    bool engaged() const { return match_.hosting() || match_.joining(); }
    // The other player is there: this side's inputs go to the match.
    bool connected() const { return match_.connected(); }
    bool remote_has_cue() const { return match_.remote_has_cue(); }
    // The racks each player has won since the match began.
    SeriesCount series() const { return match_.series(); }
    // This side's player pressed on the drawing area: a shot or a placement
    // when the table would take one now, else nothing.
    void press(int x, int y);
    // This side's player: the undo, or a new game asked for.
    void play(const Input& input);
    void aim(int x, int y);
    void table_changed() { match_.table_changed(); }

    // The panels: this side's player, and the other with what became of
    // their connection on a second line while they are not there.
    // A watcher plays neither.
    int own_player() const { return match_.watching() ? 0 : match_.joining() ? 2 : 1; }
    // A player's panel: the name, and on a second line what became of a
    // remote player's connection, or, for the host, how many watch.
    QString panel_text(int player) const;
    // A watcher's window, under the status line: "Watching Anna and Boris".
    QString watching_text() const;
    // What the window says while the other player is not there: that it
    // hosts and waits, or why the match ended and what the player can do.
    QString notice() const;

private:
    void open_host_dialog();
    void open_join_dialog(bool to_watch);
    void forget_match();
    void start_hosting(quint16 port, const QString& name, QString& why);
    void join_place(const HostPlace& place, const QString& label, const QString& name, const QString& host_name,
                    bool to_watch = false);
    QString remote_panel_text() const;
    QString own_panel_text() const;
    // The relay the player chose in a dialog: remembered once it changes.
    void use_relay(const QString& relay);
    void relay_failed(const QString& why);
    void ask_for_new_game(const QString& name);
    void connection_ended(EndReason reason);
    void join_failed(const QString& why);
    void leave();
    void update();
    void tell(const QString& message);
    QString remote_label() const;

    LiveTable table_;
    NetworkMatch match_;
    QWidget& window_;
    std::function<void()> changed_;
    QString own_name_;
    // The other player's name once known: heard on the network, or said on joining.
    QString remote_name_;
    QString joined_address_;  // the guest's host:port, or match code
    QString relay_;           // as the player wrote it: HOST[:PORT]
    bool joined_once_ = false;
    // Why the other player is not there, told until they are back.
    std::optional<EndReason> end_reason_;
    QString ended_why_;
    // The other player came back after their connection ended; told until the next input.
    bool back_ = false;
    QPointer<HostDialog> host_dialog_;
    QPointer<JoinDialog> join_dialog_;
    QAction* leave_ = nullptr;
    QAction* join_again_ = nullptr;
};

