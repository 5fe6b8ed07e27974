#include "app/host_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/dialog_message.h"
#include "app/link_words.h"
#include "app/network_words.h"
#include "net/relay/relay_address.h"

namespace {

// The code is read aloud or copied by hand: large enough to read from across a desk.
constexpr double CODE_SCALE = 2.5;

}  // namespace

HostDialog::HostDialog(const NetworkChoices& choices, QWidget* parent)
    : QDialog(parent),
      name_(new QLineEdit(choices.name)),
      local_(new QRadioButton(tr("On this network"))),
      internet_(new QRadioButton(tr("Over the internet"))),
      port_(new QSpinBox),
      relay_(new QLineEdit(choices.relay)),
      code_(new QLabel),
      watch_code_(new QLabel),
      watch_row_(new QWidget),
      message_(new DialogMessage),
      copy_(new QPushButton(tr("Copy"))),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel))
{
    setWindowTitle(tr("Host a network game"));
    port_->setRange(1, 65535);
    port_->setValue(choices.port);
    (choices.over_internet ? internet_ : local_)->setChecked(true);
    relay_->setObjectName(QStringLiteral("relay"));
    // Room for a relay's whole address, such as mqtt://relay.example.org:8883.
    relay_->setMinimumWidth(relay_->fontMetrics().averageCharWidth() * 32);
    QFont large = code_->font();
    large.setPointSizeF(large.pointSizeF() * CODE_SCALE);
    code_->setFont(large);
    code_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    code_->setObjectName(QStringLiteral("MatchCode"));
    watch_code_->setObjectName(QStringLiteral("WatchCode"));
    watch_code_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    code_->hide();
    copy_->hide();
    watch_row_->hide();
    QPushButton* host = buttons_->addButton(tr("Host"), QDialogButtonBox::AcceptRole);
    auto* form = new QFormLayout(this);
    form->setSizeConstraint(QLayout::SetFixedSize);
    form->addRow(tr("Your name:"), name_);
    form->addRow(local_);
    form->addRow(tr("Port:"), port_);
    form->addRow(internet_);
    form->addRow(tr("Relay:"), relay_);
    form->addRow(QString(), new QLabel(QString::fromLatin1(RELAY_FORMS_HINT)));
    // The code spans the dialog, so the fields above keep their width.
    auto* code_row = new QHBoxLayout;
    code_row->addWidget(code_);
    code_row->addWidget(copy_);
    form->addRow(code_row);
    // Watchers get a code of their own, which cannot play.
    auto* copy_watch_code = new QPushButton(tr("Copy"));
    copy_watch_code->setObjectName(QStringLiteral("CopyWatchCode"));
    auto* watch_row = new QHBoxLayout(watch_row_);
    watch_row->setContentsMargins({});
    watch_row->addWidget(new QLabel(tr("To watch:")));
    watch_row->addWidget(watch_code_, 1);
    watch_row->addWidget(copy_watch_code);
    form->addRow(watch_row_);
    form->addRow(message_);
    form->addRow(buttons_);
    // A name that cannot be had greys out Host, and says why.
    const auto name_checked = [this, host] {
        const QString problem = name_problem(this->name());
        host->setEnabled(problem.isEmpty());
        message_->say(problem);
    };
    connect(name_, &QLineEdit::textChanged, this, name_checked);
    name_checked();
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(code_->text()); });
    connect(copy_watch_code, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(watch_code_->text()); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &HostDialog::request_host);
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

void HostDialog::request_host()
{
    if (local_->isChecked()) return emit host_requested(name(), port());
    const QString relay = relay_->text().trimmed();
    if (!read_relay_address(relay)) return show_error(relay_address_hint());
    message_->say(reaching_relay_text());
    emit host_over_relay_requested(name(), relay);
}

void HostDialog::stop_editing()
{
    for (QWidget* field : std::initializer_list<QWidget*>{name_, local_, internet_, port_, relay_})
        field->setEnabled(false);
    buttons_->button(QDialogButtonBox::Cancel)->setFocus();
    for (QAbstractButton* button : buttons_->buttons())
        if (buttons_->buttonRole(button) == QDialogButtonBox::AcceptRole) button->hide();
}

void HostDialog::show_waiting(const QStringList& addresses)
{
    stop_editing();
    message_->say(hosting_here_text(addresses, port()));
}

void HostDialog::show_code(const QString& code, const QString& watch_code, const QString& relay)
{
    stop_editing();
    code_->setText(code);
    watch_code_->setText(watch_code);
    code_->show();
    copy_->show();
    watch_row_->show();
    message_->say(hosting_code_text(relay));
}

void HostDialog::show_error(const QString& why)
{
    message_->say(why);
}

QStringList local_addresses()
{
    QStringList addresses;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (!address.isLoopback() && !address.isLinkLocal()) addresses << address.toString();
    return addresses;
}
