#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Host a network game…": the player's name and the port. Once the window
// hosts, it shows this computer's addresses and "Waiting for a player…"
// until a guest joins (the window accepts it) or the player cancels.
class HostDialog : public QDialog {
    Q_OBJECT

public:
    HostDialog(const QString& name, quint16 port, QWidget* parent = nullptr);

    QString name() const;
    quint16 port() const;
    // The window hosts: where a guest can find it.
    void show_waiting(const QStringList& addresses);
    // The port could not be had.
    void show_error(const QString& why);

signals:
    // "Host" with a player's name.
    void host_requested(const QString& name, quint16 port);

private:
    QLineEdit* name_;
    QSpinBox* port_;
    QLabel* message_;
    QDialogButtonBox* buttons_;
};

// This computer's addresses a guest on the network can reach, loopback left out.
QStringList local_addresses();
