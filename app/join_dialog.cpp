#include "app/join_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "protocol/host_address.h"
#include "protocol/protocol_limits.h"
#include "net/lan_host_finder.h"
#include "protocol/status_text.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_address.h"

JoinDialog::JoinDialog(const QString& name, const QString& relay, LanHostFinder& finder, QWidget* parent,
                       bool to_watch)
    : QDialog(parent),
      finder_(finder),
      name_(new QLineEdit(name)),
      address_(new QLineEdit),
      relay_(new QLineEdit(relay)),
      found_(new QListWidget),
      message_(new QLabel),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel))
{
    setWindowTitle(to_watch ? QStringLiteral("Watch a network game") : QStringLiteral("Join a network game"));
    address_->setPlaceholderText(to_watch ? QStringLiteral("host, host:port or watch code")
                                          : QStringLiteral("host, host:port or match code"));
    buttons_->addButton(to_watch ? QStringLiteral("Watch") : QStringLiteral("Join"), QDialogButtonBox::AcceptRole);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Your name:"), name_);
    form->addRow(QStringLiteral("Host:"), address_);
    form->addRow(QStringLiteral("Games found:"), found_);
    form->addRow(QStringLiteral("Relay (for a code):"), relay_);
    form->addRow(message_);
    form->addRow(buttons_);
    connect(found_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) address_->setText(item->data(Qt::UserRole).toString());
    });
    connect(&finder_, &LanHostFinder::hosts_changed, this, &JoinDialog::list_hosts);
    connect(buttons_, &QDialogButtonBox::accepted, this, &JoinDialog::request_join);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    list_hosts();
}

QString JoinDialog::name() const
{
    return name_->text().trimmed();
}

void JoinDialog::show_connecting()
{
    message_->setText(QStringLiteral("Connecting\u2026"));
}

void JoinDialog::show_error(const QString& why)
{
    message_->setText(why);
}

void JoinDialog::list_hosts()
{
    const QString typed = address_->text();
    found_->clear();
    for (const HeardHost& host : finder_.hosts()) {
        const QString address = QString::fromStdString(host_and_port_text({host.address, host.port}));
        auto* item = new QListWidgetItem(QStringLiteral("%1 \u2014 %2").arg(QString::fromStdString(host.name), address));
        item->setData(Qt::UserRole, address);
        found_->addItem(item);
    }
    address_->setText(typed);
}

QString JoinDialog::heard_name(const HostAndPort& address) const
{
    for (const HeardHost& host : finder_.hosts())
        if (parse_host_and_port(host_and_port_text({host.address, host.port})) == address)
            return QString::fromStdString(host.name);
    return {};
}

void JoinDialog::request_join()
{
    const QString problem = QString::fromStdString(name_problem(name().toStdString()));
    if (!problem.isEmpty()) return show_error(problem);
    if (const std::optional<QString> code = read_code_not_address(address_->text())) {
        const QString relay = relay_->text().trimmed();
        if (!read_relay_address(relay)) return show_error(QString::fromLatin1(RELAY_ADDRESS_HINT));
        return emit join_code_requested(name(), *code, relay);
    }
    const std::optional<HostAndPort> host = parse_host_and_port(address_->text().trimmed().toStdString());
    if (!host)
        return show_error(QStringLiteral("An address is a host, or a host and a port: anna.local:%1; a match code "
                                         "is ten letters and digits: 7K3QM-2B9XD")
                              .arg(DEFAULT_PORT));
    emit join_requested(name(), QString::fromStdString(host->host), host->port, heard_name(*host));
}
