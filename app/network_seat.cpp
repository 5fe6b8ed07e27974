#include "app/network_seat.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "app/command_line.h"
#include "app/settings.h"
#include "protocol/host_address.h"
#include "app/host_dialog.h"
#include "app/join_dialog.h"
#include "app/link_words.h"
#include "app/network_words.h"
#include "net/lan_host_finder.h"
#include "live_table/press_input.h"
#include "protocol/protocol_limits.h"
#include "net/relay/match_code.h"
#include "sim/variables.h"

namespace {

QString from_std(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    connect(&match_, &NetworkMatch::connected_changed, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::journal_failed, this,
            [this](const QString& why) { tell(journal_trouble_text(why)); });
    connect(&match_, &NetworkMatch::watchers_changed, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::seat_holder_changed, this, &NetworkSeat::update);
    connect(&match_, &NetworkMatch::join_failed, this,
            [this](const LinkTrouble& trouble) { join_failed(link_words(trouble)); });
    connect(&match_, &NetworkMatch::input_refused, this, [this](InputKind kind) {
        update();
        tell(refusal_text(remote_name_, kind));
    });
    connect(&match_, &NetworkMatch::new_game_asked, this, &NetworkSeat::ask_for_new_game);
    connect(&match_, &NetworkMatch::out_of_step, this, [this] { tell(out_of_step_text()); });
}

void NetworkSeat::add_menu_items(QMenu& opponent_menu)
{
    opponent_menu.addSeparator();
    connect(opponent_menu.addAction(tr("Host a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_host_dialog(); }); });
    connect(opponent_menu.addAction(tr("Join a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_join_dialog(false); }); });
    connect(opponent_menu.addAction(tr("Watch a network game\u2026")), &QAction::triggered, this,
            [this] { end_match_then([this] { open_join_dialog(true); }); });
    join_again_ = opponent_menu.addAction(tr("Join again"));
    join_again_->setObjectName(QStringLiteral("JoinAgain1"));
    connect(join_again_, &QAction::triggered, this, [this] {
        match_.join_again();
        update();
    });
    leave_ = opponent_menu.addAction(tr("Leave the network game"));
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
    LinkTrouble trouble;
    if (match_.host(QHostAddress::Any, port, name, trouble)) {
        match_.announce_while_waiting(QHostAddress::Broadcast, DEFAULT_PORT);
        remember_what_worked();
    } else {
        why = link_words(trouble);
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
    if (!address) return tell(relay_address_hint());
    match_.host_relay(*address, name);
    update();
}

// A host that has no guest yet hears it in the dialog and the window; the
// relay is tried again meanwhile, unless TLS failed.
void NetworkSeat::relay_failed(const LinkTrouble& trouble)
{
    if (!match_.hosting() || connected()) return;
    ended_why_ = link_words(trouble);
    if (host_dialog_) host_dialog_->show_error(ended_why_);
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
    if (!address) return tell(relay_address_hint());
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
    if (!address) return tell(relay_address_hint());
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
    LinkTrouble trouble;
    if (!match_.resume(journal, QHostAddress::Any, trouble))
        tell(link_words(trouble));
    else
        ended_why_ = resumed_news(remote_name_);
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
    const QString why = end_sentence(remote_name_, reason);
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
    tell(left_text());
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
                                end_match_question(remote_label()),
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
                                new_game_question(name),
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
        return guest.isEmpty() ? waiting_for_player_text() : guest;
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
    return ::own_panel_text(own_name_, match_.watchers());
}

QString NetworkSeat::watching_text() const
{
    if (!match_.watching() || !connected()) return {};
    return ::watching_text(remote_name_, match_.watched_guest_name());
}

QString NetworkSeat::remote_panel_text() const
{
    if (connected()) return remote_label();
    if (match_.hosting() && remote_name_.isEmpty()) return waiting_for_player_text();
    return ::remote_panel_text(remote_label(), end_reason_, match_.can_join_again());
}

QStringList NetworkSeat::notice() const
{
    if (!engaged()) return {};
    if (connected() && match_.own_new_game_asked()) return {new_game_asked_notice(remote_name_)};
    if (connected()) return back_ ? QStringList{back_notice(remote_name_)} : QStringList{};
    if (match_.rejoining()) return {rejoining_notice(remote_label(), match_.rejoin_tries())};
    if (match_.hosting_over_relay()) return relay_hosting_notice(ended_why_, match_.match_code(), choices_.relay);
    if (match_.hosting()) return hosting_notice(ended_why_, local_addresses(), match_.hosting_port());
    if (match_.can_join_again()) return {join_again_notice(ended_why_)};
    return {joining_notice(remote_label())};
}

// Told without blocking: the table goes on meanwhile.
void NetworkSeat::tell(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Corvenne"), message, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
