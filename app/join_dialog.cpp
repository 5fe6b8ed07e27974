#include "app/join_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "app/dialog_message.h"
#include "app/link_words.h"
#include "app/network_words.h"
#include "protocol/host_address.h"
#include "net/lan_host_finder.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_address.h"

JoinDialog::JoinDialog(const NetworkChoices& choices, LanHostFinder& finder, QWidget* parent, bool to_watch)
    : QDialog(parent),
      finder_(finder),
      name_(new QLineEdit(choices.name)),
      address_(new QLineEdit(choices.host)),
      relay_(new QLineEdit(choices.relay)),
      found_(new QListWidget),
      message_(new DialogMessage),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel))
{
    setWindowTitle(to_watch ? tr("Watch a network game") : tr("Join a network game"));
    address_->setPlaceholderText(to_watch ? tr("host, host:port or watch code")
                                          : tr("host, host:port or match code"));
    buttons_->addButton(to_watch ? tr("Watch") : tr("Join"), QDialogButtonBox::AcceptRole);
    auto* form = new QFormLayout(this);
    form->setSizeConstraint(QLayout::SetFixedSize);
    form->addRow(tr("Your name:"), name_);
    form->addRow(tr("Host:"), address_);
    form->addRow(tr("Games found:"), found_);
    form->addRow(tr("Relay (for a code):"), relay_);
    form->addRow(QString(), new QLabel(QString::fromLatin1(RELAY_FORMS_HINT)));
    form->addRow(message_);
    form->addRow(buttons_);
    connect(found_, &QListWidget::currentItemChanged, this, &JoinDialog::pick);
    connect(found_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        pick(item);
        request_join();
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
    message_->say(connecting_text());
}

void JoinDialog::show_error(const QString& why)
{
    message_->say(why);
}

void JoinDialog::pick(QListWidgetItem* item)
{
    if (item) address_->setText(item->data(Qt::UserRole).toString());
}

// The list changes only where the hosts heard did, so that what the player
// picked or is clicking stays; nothing is picked by itself.
void JoinDialog::list_hosts()
{
    const QSignalBlocker quiet(found_);
    std::vector<std::pair<QString, QString>> heard;  // each item's text and address
    for (const HeardHost& host : finder_.hosts()) {
        const QString address = QString::fromStdString(host_and_port_text({host.address, host.port}));
        heard.emplace_back(QStringLiteral("%1 \u2014 %2").arg(QString::fromStdString(host.name), address), address);
    }
    for (int row = found_->count() - 1; row >= 0; --row) {
        const QString text = found_->item(row)->text();
        if (std::none_of(heard.begin(), heard.end(), [&text](const auto& host) { return host.first == text; }))
            delete found_->takeItem(row);
    }
    for (const auto& [text, address] : heard) {
        if (!found_->findItems(text, Qt::MatchExactly).isEmpty()) continue;
        auto* item = new QListWidgetItem(text, found_);
        item->setData(Qt::UserRole, address);
    }
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
    const QString problem = name_problem(name());
    if (!problem.isEmpty()) return show_error(problem);
    if (const std::optional<QString> code = read_code_not_address(address_->text())) {
        const QString relay = relay_->text().trimmed();
        if (!read_relay_address(relay)) return show_error(relay_address_hint());
        return emit join_code_requested(name(), *code, relay);
    }
    const std::optional<HostAndPort> host = parse_host_and_port(address_->text().trimmed().toStdString());
    if (!host) return show_error(host_address_hint());
    emit join_requested(name(), QString::fromStdString(host->host), host->port, heard_name(*host));
}
