#include "app/host_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSpinBox>

#include "protocol/status_text.h"

HostDialog::HostDialog(const QString& name, quint16 port, QWidget* parent)
    : QDialog(parent),
      name_(new QLineEdit(name)),
      port_(new QSpinBox),
      message_(new QLabel),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel))
{
    setWindowTitle(QStringLiteral("Host a network game"));
    port_->setRange(1, 65535);
    port_->setValue(port);
    QPushButton* host = buttons_->addButton(QStringLiteral("Host"), QDialogButtonBox::AcceptRole);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Your name:"), name_);
    form->addRow(QStringLiteral("Port:"), port_);
    form->addRow(message_);
    form->addRow(buttons_);
    // A name that cannot be had greys out Host, and says why.
    const auto name_checked = [this, host] {
        const QString problem = QString::fromStdString(name_problem(this->name().toStdString()));
        host->setEnabled(problem.isEmpty());
        message_->setText(problem);
    };
    connect(name_, &QLineEdit::textChanged, this, name_checked);
    name_checked();
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] { emit host_requested(this->name(), this->port()); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString HostDialog::name() const
{
    return name_->text().trimmed();
}

quint16 HostDialog::port() const
{
    return static_cast<quint16>(port_->value());
}

void HostDialog::show_waiting(const QStringList& addresses)
{
    name_->setEnabled(false);
    port_->setEnabled(false);
    buttons_->button(QDialogButtonBox::Cancel)->setFocus();
    for (QAbstractButton* button : buttons_->buttons())
        if (buttons_->buttonRole(button) == QDialogButtonBox::AcceptRole) button->hide();
    const QString where = addresses.isEmpty() ? QStringLiteral("no network address") : addresses.join(QStringLiteral(", "));
    message_->setText(QStringLiteral("This computer: %1, port %2\nWaiting for a player\u2026").arg(where).arg(port()));
}

void HostDialog::show_error(const QString& why)
{
    message_->setText(why);
}

QStringList local_addresses()
{
    QStringList addresses;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (!address.isLoopback() && !address.isLinkLocal()) addresses << address.toString();
    return addresses;
}
