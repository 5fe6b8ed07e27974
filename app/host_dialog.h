#pragma once

#include <QDialog>
#include <QStringList>

#include "app/settings.h"

class DialogMessage;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// "Host a network game…": the player's name, and "On this network" with a
// port or "Over the internet" through a relay, as `choices` offer them. Once
// the window hosts, it shows this computer's addresses, or the match code to
// give to a friend and the watch code for anyone who would watch, and
// "Waiting for a player…" until a guest joins (the window accepts it) or the
// player cancels.
class HostDialog : public QDialog {
    Q_OBJECT

public:
    explicit HostDialog(const NetworkChoices& choices, QWidget* parent = nullptr);

    QString name() const;
    quint16 port() const;
    // The window hosts on this network: where a guest can find it.
    void show_waiting(const QStringList& addresses);
    // The window hosts over the relay, which has heard the match.
    void show_code(const QString& code, const QString& watch_code, const QString& relay);
    // The port could not be had, or the relay fails.
    void show_error(const QString& why);

signals:
    // "Host" with a player's name, on this network or over the relay.
    void host_requested(const QString& name, quint16 port);
    void host_over_relay_requested(const QString& name, const QString& relay);

private:
    void request_host();
    void stop_editing();

    QLineEdit* name_;
    QRadioButton* local_;
    QRadioButton* internet_;
    QSpinBox* port_;
    QLineEdit* relay_;
    QLabel* code_;
    QLabel* watch_code_;
    QWidget* watch_row_;  // "To watch:", the watch code and its own Copy
    DialogMessage* message_;
    QPushButton* copy_;
    QDialogButtonBox* buttons_;
};

// This computer's addresses a guest on the network can reach, loopback left out.
QStringList local_addresses();
