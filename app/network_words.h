#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

#include "protocol/session_events.h"

// Every sentence a player reads about network play is made here and in
// app/link_words.h, each through tr() in this one context, so that the whole
// of it can be translated together. The network code hands up what happened
// (an EndReason, an InputKind, a LinkTrouble); these put it into words.
class NetworkWords {
    Q_DECLARE_TR_FUNCTIONS(NetworkWords)
};

// What became of the other player's connection, in a few words under their
// name: "connection lost".
QString end_words(EndReason reason);
// What this side's player is told when the connection to `remote_name` ended:
// "Anna left the game", "The connection to Anna was lost". Without a name,
// "the other player".
QString end_sentence(const QString& remote_name, EndReason reason);
// What this side's player is told when the host did not take their input.
QString refusal_text(const QString& remote_name, InputKind kind);
// The guest's window, when its table differed from the host's.
QString out_of_step_text();
// Why `name` cannot be a player's name, for the dialogs; empty when it can.
QString name_problem(const QString& name);

// The other player's panel: their name, or what it waits for, and on a
// second line what became of their connection while they are not there.
QString waiting_for_player_text();
QString remote_panel_text(const QString& label, std::optional<EndReason> ended, bool can_join_again);
// This side's panel, and for a host how many watch.
QString own_panel_text(const QString& name, int watchers);
// A watcher's window, under the status line: "Watching Anna and Boris".
QString watching_text(const QString& host_name, const QString& guest_name);

// The status panel's notices, each said more and more briefly where it may
// not fit: the window shows the first form that does. `news` is what was
// told last (why the other player is not there), or empty.
QStringList hosting_notice(const QString& news, const QStringList& addresses, quint16 port);
QStringList relay_hosting_notice(const QString& news, const QString& code, const QString& relay);
QString new_game_asked_notice(const QString& remote_name);
// A guest whose connection was lost joins again by itself: "Connection to
// Anna lost: joining again… (3)", with the tries so far once there are any.
QString rejoining_notice(const QString& remote_name, int tries);
// The other player's connection stands again after it was lost: "Anna is back".
QString back_notice(const QString& remote_name);
QString join_again_notice(const QString& news);
QString joining_notice(const QString& label);
QString resumed_news(const QString& remote_name);

// The boxes the window opens over a network match.
QString end_match_question(const QString& remote_label);
QString new_game_question(const QString& remote_name);
QString left_text();
QString journal_trouble_text(const QString& why);

// A hosted match taken up again at start.
QString resume_question(const QString& guest_name);
QString no_journal_text();
// `path` is where the unreadable journal was put aside.
QString unreadable_journal_text(const QString& path, const QString& fault);
