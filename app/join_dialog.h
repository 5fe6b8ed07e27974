#pragma once

#include <QDialog>

#include "app/settings.h"

class DialogMessage;
struct HostAndPort;
class LanHostFinder;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "Join a network game…": the player's name and the host's address and port,
// typed or picked from the games found on the local network, or a match code
// with the relay that carries it; `choices` fill the fields. "Watch a network
// game…" asks the same, a watch code in place of the match code. It shows
// "Connecting…" once the window joins; the window accepts it when the table
// stands.
class JoinDialog : public QDialog {
    Q_OBJECT

public:
    // `finder` lists the hosts heard on the local network.
    JoinDialog(const NetworkChoices& choices, LanHostFinder& finder, QWidget* parent = nullptr,
               bool to_watch = false);

    QString name() const;
    void show_connecting();
    void show_error(const QString& why);

signals:
    // "Join" with a player's name and an address that reads; `host_name` is
    // the name the host announced itself with, if it was heard.
    void join_requested(const QString& name, const QString& host, quint16 port, const QString& host_name);
    // "Join" with a match code (or "Watch" with a watch code) as read_match_code gives it.
    void join_code_requested(const QString& name, const QString& code, const QString& relay);

private:
    void list_hosts();
    void pick(QListWidgetItem* item);
    void request_join();
    QString heard_name(const HostAndPort& address) const;

    LanHostFinder& finder_;
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* relay_;
    QListWidget* found_;
    DialogMessage* message_;
    QDialogButtonBox* buttons_;
};
