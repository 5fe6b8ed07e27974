#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/settings.h"
#include "live_table/live_table.h"
#include "protocol/input_rules.h"
#include "net/network_match.h"

class HostDialog;
class JoinDialog;
struct RunRequest;
class QMenu;
class QAction;
class QMessageBox;
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

    // Hosting or joining, until the player leaves: the match's seats play.
    bool engaged() const { return match_.hosting() || match_.joining(); }
    // Another player is, or was, in the match: leaving it would end their match.
    bool match_lasts() const { return engaged() && joined_once_; }
    // Does `then` once this side is out of any network game: at once when no
    // match lasts, else once the player has agreed to end it ("End the match
    // with Boris?").
    void end_match_then(const std::function<void()>& then);
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
    int own_player() const { return match_.watching() ? 0 : player_of(match_.joining() ? Side::guest : Side::host); }
    QString own_name() const { return own_name_; }
    // The other player's name, or where the guest joins until it is heard.
    QString remote_label() const;
    // A player's panel: the name, and on a second line what became of a
    // remote player's connection, or, for the host, how many watch.
    QString panel_text(int player) const;
    // A player's name alone, as a saved match keeps it; empty while nobody holds the seat.
    QString player_name(int player) const;
    // A watcher's window, under the status line: "Watching Anna and Boris".
    QString watching_text() const;
    // What the window says while the other player is not there (that it
    // hosts and waits, or why the match ended and what the player can do) or
    // while this side's ask for a new game waits for the answer. The same
    // said more and more briefly: the window shows the first that fits.
    QStringList notice() const;

private:
    void open_host_dialog();
    void open_join_dialog(bool to_watch);
    void forget_match();
    void start_hosting(quint16 port, const QString& name, QString& why);
    void join_place(const HostPlace& place, const QString& label, const QString& name, const QString& host_name,
                    bool to_watch = false);
    QString remote_panel_text() const;
    QString own_panel_text() const;
    // What the player chose in a dialog: offered by the dialogs from now on,
    // and remembered for the next run once the game it starts stands.
    void use_choices(const std::function<void(NetworkChoices&)>& chosen);
    void remember_what_worked();
    void relay_failed(const LinkTrouble& trouble);
    void ask_for_new_game(const QString& name);
    void connection_ended(EndReason reason);
    void join_failed(const QString& why);
    void leave();
    // Ends the match without a word: the player asked for something else.
    void leave_quietly();
    void update();
    void tell(const QString& message);

    LiveTable table_;
    NetworkMatch match_;
    QWidget& window_;
    std::function<void()> changed_;
    QString own_name_;
    // The other player's name once known: heard on the network, or said on joining.
    QString remote_name_;
    QString joined_address_;  // the guest's host:port, or match code
    NetworkChoices choices_;  // what the dialogs offer
    std::optional<NetworkChoices> worked_;  // remembered once the game they start stands
    bool joined_once_ = false;
    // Why the other player is not there, told until they are back.
    std::optional<EndReason> end_reason_;
    QString ended_why_;
    // The other player came back after their connection ended; told until the next input.
    bool back_ = false;
    QPointer<HostDialog> host_dialog_;
    QPointer<JoinDialog> join_dialog_;
    QPointer<QMessageBox> end_question_;  // "End the match with Boris?", while it is asked
    QAction* leave_ = nullptr;
    QAction* join_again_ = nullptr;
};

