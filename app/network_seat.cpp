#include "app/network_seat.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "app/settings.h"
#include "net/host_dialog.h"
#include "net/join_dialog.h"
#include "net/lan_host_finder.h"
#include "net/status_text.h"

namespace {

constexpr quint16 DEFAULT_PORT = 47147;

}  // namespace

NetworkSeat::NetworkSeat(TableHands& hands, QWidget& window, std::function<void()> changed)
    : table_(hands), match_(table_), window_(window), changed_(std::move(changed))
{
    connect(&match_, &NetworkMatch::remote_joined, this, [this] {
        remote_status_.clear();
        update_menu();
        changed_();
    });
    connect(&match_, &NetworkMatch::remote_status, this, [this](const QString& text) {
        remote_status_ = text;
        update_menu();
        changed_();
    });
    connect(&match_, &NetworkMatch::input_applied, this, [this] { changed_(); });
    connect(&match_, &NetworkMatch::join_failed, this, [this](const QString& why) { tell(why); });
    connect(&match_, &NetworkMatch::input_refused, this, [this](InputKind kind) {
        tell(QString::fromStdString(refusal_text(match_.remote_name().toStdString(), kind)));
    });
    connect(&match_, &NetworkMatch::new_game_asked, this, &NetworkSeat::ask_for_new_game);
    connect(&match_, &NetworkMatch::out_of_step, this,
            [this] { tell(QStringLiteral("Tables out of step: the host's table is used")); });
}

void NetworkSeat::add_menu_items(QMenu& opponent_menu)
{
    opponent_menu.addSeparator();
    connect(opponent_menu.addAction(QStringLiteral("Host a network game\u2026")), &QAction::triggered, this,
            &NetworkSeat::open_host_dialog);
    connect(opponent_menu.addAction(QStringLiteral("Join a network game\u2026")), &QAction::triggered, this,
            &NetworkSeat::open_join_dialog);
    join_again_ = opponent_menu.addAction(QStringLiteral("Join again"));
    connect(join_again_, &QAction::triggered, &match_, &NetworkMatch::join_again);
    leave_ = opponent_menu.addAction(QStringLiteral("Leave the network game"));
    connect(leave_, &QAction::triggered, this, [this] {
        match_.leave();
        update_menu();
        changed_();
    });
    update_menu();
}

void NetworkSeat::update_menu()
{
    if (leave_) leave_->setVisible(match_.hosting() || match_.connected());
    if (join_again_) join_again_->setVisible(match_.can_join_again());
}

void NetworkSeat::host_now(quint16 port, const QString& name)
{
    QString why;
    own_name_ = name;
    if (!match_.host(QHostAddress::Any, port, name, why)) return tell(why);
    match_.announce_while_waiting(QHostAddress::Broadcast, DEFAULT_PORT);
    update_menu();
    changed_();
}

void NetworkSeat::join_now(const QString& host, quint16 port, const QString& name)
{
    own_name_ = name;
    match_.join(host, port, name);
    update_menu();
}

// The dialog stays until a guest joins or the player cancels, which stops hosting.
void NetworkSeat::open_host_dialog()
{
    auto* dialog = new HostDialog(remembered_network_name(), DEFAULT_PORT, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &HostDialog::host_requested, this, [this, dialog](const QString& name, quint16 port) {
        remember_network_name(name);
        QString why;
        own_name_ = name;
        if (!match_.host(QHostAddress::Any, port, name, why)) return dialog->show_error(why);
        match_.announce_while_waiting(QHostAddress::Broadcast, DEFAULT_PORT);
        dialog->show_waiting(local_addresses());
        update_menu();
    });
    connect(&match_, &NetworkMatch::remote_joined, dialog, &QDialog::accept);
    connect(dialog, &QDialog::rejected, this, [this] {
        if (!match_.connected()) match_.leave();
        update_menu();
    });
    dialog->open();
}

void NetworkSeat::open_join_dialog()
{
    auto* finder = new LanHostFinder;
    finder->listen(QHostAddress::Any, DEFAULT_PORT);  // without it, the address is typed
    auto* dialog = new JoinDialog(remembered_network_name(), *finder, &window_);
    finder->setParent(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &JoinDialog::join_requested, this,
            [this, dialog](const QString& name, const QString& host, quint16 port) {
                remember_network_name(name);
                dialog->show_connecting();
                join_now(host, port, name);
            });
    connect(&match_, &NetworkMatch::remote_joined, dialog, &QDialog::accept);
    connect(&match_, &NetworkMatch::join_failed, dialog, &JoinDialog::show_error);
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

QString NetworkSeat::remote_panel_text() const
{
    return remote_status_.isEmpty() ? match_.remote_name() : remote_status_;
}

// Told without blocking: the table goes on meanwhile.
void NetworkSeat::tell(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Corvenne"), message, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
