#include "app/network_seat.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "app/command_line.h"
#include "app/settings.h"
#include "protocol/host_address.h"
#include "app/host_dialog.h"
#include "app/join_dialog.h"
#include "net/lan_host_finder.h"
#include "protocol/press_input.h"
#include "protocol/protocol_limits.h"
#include "protocol/status_text.h"
#include "net/relay/match_code.h"
#include "sim/variables.h"

namespace {

QString from_std(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What was told, then what comes next: "Anna left the game. Opponent menu: …".
QString followed_by(QString told, const QString& next)
{
    if (told.isEmpty()) return next;
    if (!told.endsWith(QLatin1Char('.')) && !told.endsWith(QLatin1Char('?'))) told += QLatin1Char('.');
    return told + QLatin1Char(' ') + next;
}

// Where this computer hosts; without its addresses when they do not fit.
QStringList hosting_text(const QString& why, quint16 port)
{
    const QStringList addresses = local_addresses();
    const QString where = addresses.isEmpty() ? QStringLiteral("this computer") : addresses.join(QStringLiteral(", "));
    return {followed_by(why, QStringLiteral("Hosting on %1, port %2: waiting for a player\u2026").arg(where).arg(port)),
            followed_by(why, QStringLiteral("Hosting on port %1: waiting for a player\u2026").arg(port))};
}

// After news (the relay's trouble names the relay) only the code follows, so
// that both fit the status panel's two lines.
QStringList hosting_over_relay_text(const QString& code, const QString& relay, const QString& news)
{
    if (!news.isEmpty()) return {code.isEmpty() ? news : followed_by(news, QStringLiteral("Match code %1.").arg(code))};
    if (code.isEmpty()) return {QStringLiteral("Reaching the relay %1\u2026").arg(relay)};
    const QString give = QStringLiteral("Match code %1: give this code to your friend.").arg(code);
    return {followed_by(give, QStringLiteral("Relay %1: waiting for a player\u2026").arg(relay)),
            followed_by(give, QStringLiteral("Waiting for a player\u2026"))};
}

}  // namespace

NetworkSeat::NetworkSeat(TableHands& hands, QWidget& window, std::function<void()> changed)
    : table_(hands), match_(table_), window_(window), changed_(std::move(changed)),
      choices_(remembered_network_choices())
{
    connect(&match_, &NetworkMatch::relay_listening, this, [this](const QString& code) {
        ended_why_.clear();
        remember_what_worked();
        if (host_dialog_) host_dialog_->show_code(code, match_.watch_code(), choices_.relay);
        update();
    });
    connect(&match_, &NetworkMatch::relay_failed, this, &NetworkSeat::relay_failed);
    connect(&match_, &NetworkMatch::remote_joined, this, [this](const QString& name) {
        back_ = end_reason_.has_value() && name == remote_name_;
        remote_name_ = name;
        if (match_.joining()) remember_what_worked();
        joined_once_ = true;
        end_reason_.reset();
        ended_why_.clear();
        update();
    });
    connect(&match_, &NetworkMatch::connection_ended, this, &NetworkSeat::connection_ended);
    connect(&match_, &NetworkMatch::input_applied, this, [this] {
        back_ = false;
        changed_();
    });
    connect(&match_, &NetworkMatch::rejoin_tried, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::journal_failed, this, [this](const QString& why) {
        tell(followed_by(why, QStringLiteral("The match goes on, but cannot be resumed if this program ends.")));
    });
    connect(&match_, &NetworkMatch::watchers_changed, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::seat_holder_changed, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::join_failed, this, &NetworkSeat::join_failed);
    connect(&match_, &NetworkMatch::input_refused, this, [this](InputKind kind) {
        update();
        tell(from_std(refusal_text(remote_name_.toStdString(), kind)));
    });
    connect(&match_, &NetworkMatch::new_game_asked, this, &NetworkSeat::ask_for_new_game);
    connect(&match_, &NetworkMatch::out_of_step, this, [this] { tell(from_std(OUT_OF_STEP_TEXT)); });
}

void NetworkSeat::add_menu_items(QMenu& opponent_menu)
{
    opponent_menu.addSeparator();
    connect(opponent_menu.addAction(QStringLiteral("Host a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_host_dialog(); }); });
    connect(opponent_menu.addAction(QStringLiteral("Join a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_join_dialog(false); }); });
    connect(opponent_menu.addAction(QStringLiteral("Watch a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_join_dialog(true); }); });
    join_again_ = opponent_menu.addAction(QStringLiteral("Join again"));
    join_again_->setObjectName(QStringLiteral("JoinAgain1"));
    connect(join_again_, &QAction::triggered, this, [this] {
        match_.join_again();
        update();
    });
    leave_ = opponent_menu.addAction(QStringLiteral("Leave the network game"));
    leave_->setObjectName(QStringLiteral("LeaveNetworkGame1"));
    connect(leave_, &QAction::triggered, this, &NetworkSeat::leave);
    update();
}

void NetworkSeat::update()
{
    if (leave_) leave_->setVisible(engaged());
    if (join_again_) join_again_->setVisible(match_.can_join_again());
    changed_();
}

void NetworkSeat::forget_match()
{
    remote_name_.clear();
    joined_address_.clear();
    joined_once_ = false;
    end_reason_.reset();
    ended_why_.clear();
    back_ = false;
}

void NetworkSeat::start_hosting(quint16 port, const QString& name, QString& why)
{
    forget_match();
    own_name_ = name;
    if (match_.host(QHostAddress::Any, port, name, why)) {
        match_.announce_while_waiting(QHostAddress::Broadcast, DEFAULT_PORT);
        remember_what_worked();
    }
    update();
}

void NetworkSeat::start(const RunRequest& request)
{
    if (!request.relay.isEmpty()) choices_.relay = request.relay;
    if (request.host && !request.relay.isEmpty())
        host_over_relay_now(request.name);
    else if (request.host)
        host_now(request.port, request.name);
    if (!request.join_host.isEmpty()) join_now(request.join_host, request.port, request.name);
    if (!request.join_code.isEmpty()) join_code_now(request.join_code, request.name);
}

// Over what the dialogs offered, and over what was remembered.
void NetworkSeat::use_choices(const std::function<void(NetworkChoices&)>& chosen)
{
    chosen(choices_);
    NetworkChoices worked = remembered_network_choices();
    chosen(worked);
    worked_ = worked;
}

void NetworkSeat::remember_what_worked()
{
    if (worked_) remember_network_choices(*worked_);
    worked_.reset();
}

void NetworkSeat::host_over_relay_now(const QString& name)
{
    forget_match();
    own_name_ = name;
    const std::optional<RelayAddress> address = read_relay_address(choices_.relay);
    if (!address) return tell(QString::fromLatin1(RELAY_ADDRESS_HINT));
    match_.host_relay(*address, name);
    update();
}

// A host that has no guest yet hears it in the dialog and the window; the
// relay is tried again meanwhile, unless TLS failed.
void NetworkSeat::relay_failed(const QString& why)
{
    if (!match_.hosting() || connected()) return;
    ended_why_ = why;
    if (host_dialog_) host_dialog_->show_error(why);
    update();
}

void NetworkSeat::host_now(quint16 port, const QString& name)
{
    QString why;
    start_hosting(port, name, why);
    if (!why.isEmpty()) tell(why);
}

void NetworkSeat::join_now(const QString& host, quint16 port, const QString& name, const QString& host_name)
{
    join_place(TcpHost{host, port}, QString::fromStdString(host_and_port_text({host.toStdString(), port})), name,
               host_name);
}

void NetworkSeat::join_code_now(const QString& code, const QString& name)
{
    const std::optional<RelayAddress> address = read_relay_address(choices_.relay);
    if (!address) return tell(QString::fromLatin1(RELAY_ADDRESS_HINT));
    join_place(RelayMatch{*address, code}, show_match_code(code), name, {});
}

void NetworkSeat::watch_now(const QString& host, quint16 port, const QString& name)
{
    join_place(TcpHost{host, port}, QString::fromStdString(host_and_port_text({host.toStdString(), port})), name, {},
               true);
}

void NetworkSeat::watch_code_now(const QString& code, const QString& name)
{
    const std::optional<RelayAddress> address = read_relay_address(choices_.relay);
    if (!address) return tell(QString::fromLatin1(RELAY_ADDRESS_HINT));
    join_place(RelayMatch{*address, code}, show_match_code(code), name, {}, true);
}

void NetworkSeat::join_place(const HostPlace& place, const QString& label, const QString& name,
                             const QString& host_name, bool to_watch)
{
    forget_match();
    own_name_ = name;
    remote_name_ = host_name;
    joined_address_ = label;
    if (to_watch)
        match_.watch(place, name);
    else
        match_.join(place, name);
    update();
}

void NetworkSeat::resume_now(const HostJournal& journal)
{
    forget_match();
    own_name_ = from_std(journal.player);
    remote_name_ = from_std(journal.guest);
    joined_once_ = true;
    // The guest's connection went with the program: its return is news.
    end_reason_ = EndReason::lost;
    // The relay the match was hosted on, whatever this run's setting says.
    if (const auto* relay = std::get_if<JournalRelay>(&journal.place)) choices_.relay = from_std(relay->address);
    QString why;
    if (!match_.resume(journal, QHostAddress::Any, why))
        tell(why);
    else
        ended_why_ = QStringLiteral("The match with %1 is resumed").arg(remote_name_);
    update();
}

void NetworkSeat::press(int x, int y)
{
    if (!connected() || match_.watching()) return;
    if (const std::optional<InputKind> kind = press_as_input(game, own_player())) match_.play(Input{*kind, x, y});
}

void NetworkSeat::play(const Input& input)
{
    if (!connected() || match_.watching()) return;
    match_.play(input);
    update();
}

void NetworkSeat::aim(int x, int y)
{
    if (connected() && !match_.watching()) match_.aim(x, y);
}

// The other player is gone: the table stays the match's until this side's
// player chooses, and the window says why. A guest turned away before it ever
// joined has no match to keep.
void NetworkSeat::connection_ended(EndReason reason)
{
    const QString why = from_std(end_sentence(remote_name_.toStdString(), reason));
    if (match_.joining() && !joined_once_) return join_failed(why);
    end_reason_ = reason;
    ended_why_ = why;
    update();
}

// Told once: in the join dialog while it is open, else in the window. A first
// join leaves the table a local game; a guest that joins again stays.
void NetworkSeat::join_failed(const QString& why)
{
    ended_why_ = why;
    if (!joined_once_) {
        worked_.reset();
        match_.leave();
        if (join_dialog_)
            join_dialog_->show_error(why);
        else
            tell(why);
    }
    update();
}

void NetworkSeat::leave()
{
    leave_quietly();
    tell(QStringLiteral("You left the network game: the table is a local game again."));
}

void NetworkSeat::leave_quietly()
{
    match_.leave();
    worked_.reset();
    forget_match();
    update();
}

// Hosting that nobody joined yet, or a first join, ends without a question.
void NetworkSeat::end_match_then(const std::function<void()>& then)
{
    if (!match_lasts()) {
        if (engaged()) leave_quietly();
        return then();
    }
    if (end_question_ && end_question_->isVisible()) return end_question_->raise();
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Corvenne"),
                                QStringLiteral("End the match with %1?").arg(remote_label()),
                                QMessageBox::Yes | QMessageBox::No, &window_);
    box->setObjectName(QStringLiteral("EndMatchQuestion"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    end_question_ = box;
    connect(box, &QMessageBox::finished, this, [this, then](int answer) {
        if (answer != QMessageBox::Yes) return;
        leave_quietly();
        then();
    });
    box->open();
}

// The dialog stays until a guest joins or the player cancels, which stops hosting.
void NetworkSeat::open_host_dialog()
{
    auto* dialog = new HostDialog(choices_, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    host_dialog_ = dialog;
    connect(dialog, &HostDialog::host_over_relay_requested, this, [this](const QString& name, const QString& relay) {
        use_choices([&](NetworkChoices& chosen) {
            chosen.name = name;
            chosen.over_internet = true;
            chosen.relay = relay;
        });
        host_over_relay_now(name);
    });
    connect(dialog, &HostDialog::host_requested, this, [this, dialog](const QString& name, quint16 port) {
        use_choices([&](NetworkChoices& chosen) {
            chosen.name = name;
            chosen.over_internet = false;
            chosen.port = port;
        });
        QString why;
        start_hosting(port, name, why);
        if (!why.isEmpty()) return dialog->show_error(why);
        dialog->show_waiting(local_addresses());
    });
    connect(&match_, &NetworkMatch::remote_joined, dialog, &QDialog::accept);
    connect(dialog, &QDialog::rejected, this, [this] {
        if (!match_.connected()) leave_quietly();
    });
    dialog->open();
}

void NetworkSeat::open_join_dialog(bool to_watch)
{
    auto* finder = new LanHostFinder;
    finder->listen(QHostAddress::Any, DEFAULT_PORT);  // without it, the address is typed
    auto* dialog = new JoinDialog(choices_, *finder, &window_, to_watch);
    finder->setParent(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    join_dialog_ = dialog;
    connect(dialog, &JoinDialog::join_requested, this,
            [this, dialog, to_watch](const QString& name, const QString& host, quint16 port,
                                     const QString& host_name) {
                use_choices([&](NetworkChoices& chosen) {
                    chosen.name = name;
                    chosen.host = QString::fromStdString(host_and_port_text({host.toStdString(), port}));
                });
                dialog->show_connecting();
                if (to_watch)
                    watch_now(host, port, name);
                else
                    join_now(host, port, name, host_name);
            });
    connect(dialog, &JoinDialog::join_code_requested, this,
            [this, dialog, to_watch](const QString& name, const QString& code, const QString& relay) {
                use_choices([&](NetworkChoices& chosen) {
                    chosen.name = name;
                    chosen.relay = relay;
                });
                dialog->show_connecting();
                if (to_watch)
                    watch_code_now(code, name);
                else
                    join_code_now(code, name);
            });
    connect(&match_, &NetworkMatch::remote_joined, dialog, &QDialog::accept);
    // Cancel stops a join under way, without a word.
    connect(dialog, &QDialog::rejected, this, [this] {
        if (match_.joining() && !match_.connected()) leave_quietly();
    });
    dialog->open();
}

void NetworkSeat::ask_for_new_game(const QString& name)
{
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Corvenne"),
                                QStringLiteral("%1 asks for a new game.").arg(name),
                                QMessageBox::Yes | QMessageBox::No, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this,
            [this](int answer) { match_.answer_new_game(answer == QMessageBox::Yes); });
    box->open();
}

// The guest names a host it has not heard yet by its address.
QString NetworkSeat::remote_label() const
{
    return remote_name_.isEmpty() && match_.joining() ? joined_address_ : remote_name_;
}

QString NetworkSeat::panel_text(int player) const
{
    if (match_.watching() && player == 2) {
        const QString guest = match_.watched_guest_name();
        return guest.isEmpty() ? QStringLiteral("waiting for a player\u2026") : guest;
    }
    if (match_.watching()) return remote_panel_text();
    return player == own_player() ? own_panel_text() : remote_panel_text();
}

QString NetworkSeat::player_name(int player) const
{
    if (match_.watching()) return player == 1 ? remote_name_ : match_.watched_guest_name();
    return player == own_player() ? own_name_ : remote_label();
}

QString NetworkSeat::own_panel_text() const
{
    const int watchers = match_.watchers();
    if (watchers == 0) return own_name_;
    return own_name_ + QStringLiteral("\n%1 watching").arg(watchers);
}

QString NetworkSeat::watching_text() const
{
    if (!match_.watching() || !connected()) return {};
    const QString guest = match_.watched_guest_name();
    if (guest.isEmpty()) return QStringLiteral("Watching %1").arg(remote_name_);
    return QStringLiteral("Watching %1 and %2").arg(remote_name_, guest);
}

QString NetworkSeat::remote_panel_text() const
{
    if (connected()) return remote_label();
    if (match_.hosting() && remote_name_.isEmpty()) return QStringLiteral("waiting for a player\u2026");
    QString state = QStringLiteral("joining\u2026");
    if (end_reason_)
        state = from_std(end_words(*end_reason_));
    else if (match_.can_join_again())
        state = QStringLiteral("not connected");
    return remote_label() + QLatin1Char('\n') + state;
}

QStringList NetworkSeat::notice() const
{
    if (!engaged()) return {};
    if (connected() && match_.own_new_game_asked()) return {QStringLiteral("Asked %1 for a new game\u2026").arg(remote_name_)};
    if (connected()) return back_ ? QStringList{from_std(back_text(remote_name_.toStdString()))} : QStringList{};
    if (match_.rejoining()) return {from_std(rejoining_text(remote_label().toStdString(), match_.rejoin_tries()))};
    if (match_.hosting_over_relay()) return hosting_over_relay_text(match_.match_code(), choices_.relay, ended_why_);
    if (match_.hosting()) return hosting_text(ended_why_, match_.hosting_port());
    if (match_.can_join_again()) return {followed_by(ended_why_, QStringLiteral("Opponent menu: Join again or Leave."))};
    return {QStringLiteral("Joining %1\u2026").arg(remote_label())};
}

// Told without blocking: the table goes on meanwhile.
void NetworkSeat::tell(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Corvenne"), message, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
