#include "app/network_words.h"

#include "match/match_limits.h"
#include "match/utf8.h"

namespace {

// What was told, then what comes next: "Anna left the game. Opponent menu: …".
QString followed_by(QString told, const QString& next)
{
    if (told.isEmpty()) return next;
    if (!told.endsWith(QLatin1Char('.')) && !told.endsWith(QLatin1Char('?'))) told += QLatin1Char('.');
    return told + QLatin1Char(' ') + next;
}

}  // namespace

QString end_words(EndReason reason)
{
    switch (reason) {
    case EndReason::left: return NetworkWords::tr("left");
    case EndReason::lost: return NetworkWords::tr("connection lost");
    case EndReason::malformed: return NetworkWords::tr("sent what this game cannot read");
    case EndReason::version: return NetworkWords::tr("another version");
    case EndReason::busy: return NetworkWords::tr("already has a guest");
    case EndReason::replaced: return NetworkWords::tr("joined again elsewhere");
    case EndReason::full: return NetworkWords::tr("has watchers enough");
    }
    return {};
}

QString end_sentence(const QString& remote_name, EndReason reason)
{
    // A host that turned this guest away before it said its name.
    const QString name = remote_name.isEmpty() ? NetworkWords::tr("the other player") : remote_name;
    QString sentence;
    switch (reason) {
    case EndReason::left: sentence = NetworkWords::tr("%1 left the game"); break;
    case EndReason::lost: sentence = NetworkWords::tr("The connection to %1 was lost"); break;
    case EndReason::malformed: sentence = NetworkWords::tr("%1's game sent what this game cannot read"); break;
    case EndReason::version: sentence = NetworkWords::tr("%1's game speaks another version"); break;
    case EndReason::busy: sentence = NetworkWords::tr("%1's game already has a second player"); break;
    case EndReason::replaced: sentence = NetworkWords::tr("%1's game gave this seat to a newer connection"); break;
    case EndReason::full: sentence = NetworkWords::tr("%1's game has as many watchers as it takes"); break;
    }
    sentence = sentence.arg(name);
    if (remote_name.isEmpty() && sentence.startsWith(name)) sentence[0] = sentence[0].toUpper();
    return sentence;
}

QString refusal_text(const QString& remote_name, InputKind kind)
{
    switch (kind) {
    case InputKind::shot: return NetworkWords::tr("Not your shot");
    case InputKind::place: return NetworkWords::tr("The cue ball cannot be placed now");
    case InputKind::undo: return NetworkWords::tr("Only the last shot of your own can be taken back");
    case InputKind::new_game: return NetworkWords::tr("%1 plays on: no new game").arg(remote_name);
    }
    return {};
}

QString out_of_step_text()
{
    return NetworkWords::tr("Tables out of step: the host's table is used");
}

QString name_problem(const QString& name)
{
    if (name.isEmpty())
        return NetworkWords::tr("Type your name, 1 to %1 characters: the other player sees it.")
            .arg(MAX_NAME_CHARACTERS);
    if (is_player_name(name.toStdString())) return {};
    return NetworkWords::tr("A name is at most %1 characters, none of them a control character.")
        .arg(MAX_NAME_CHARACTERS);
}

QString waiting_for_player_text()
{
    return NetworkWords::tr("waiting for a player\u2026");
}

QString remote_panel_text(const QString& label, std::optional<EndReason> ended, bool can_join_again)
{
    QString state = NetworkWords::tr("joining\u2026");
    if (ended)
        state = end_words(*ended);
    else if (can_join_again)
        state = NetworkWords::tr("not connected");
    return label + QLatin1Char('\n') + state;
}

QString own_panel_text(const QString& name, int watchers)
{
    if (watchers == 0) return name;
    return name + QLatin1Char('\n') + NetworkWords::tr("%1 watching").arg(watchers);
}

QString watching_text(const QString& host_name, const QString& guest_name)
{
    if (guest_name.isEmpty()) return NetworkWords::tr("Watching %1").arg(host_name);
    return NetworkWords::tr("Watching %1 and %2").arg(host_name, guest_name);
}

// Without this computer's addresses when they do not fit.
QStringList hosting_notice(const QString& news, const QStringList& addresses, quint16 port)
{
    const QString where =
        addresses.isEmpty() ? NetworkWords::tr("this computer") : addresses.join(QStringLiteral(", "));
    const QString waiting = NetworkWords::tr("Hosting on %1, port %2: waiting for a player\u2026").arg(where).arg(port);
    return {followed_by(news, waiting),
            followed_by(news, NetworkWords::tr("Hosting on port %1: waiting for a player\u2026").arg(port))};
}

// After news (the relay's trouble names the relay) only the code follows, so
// that both fit the status panel's two lines.
QStringList relay_hosting_notice(const QString& news, const QString& code, const QString& relay)
{
    if (!news.isEmpty())
        return {code.isEmpty() ? news : followed_by(news, NetworkWords::tr("Match code %1.").arg(code))};
    if (code.isEmpty()) return {NetworkWords::tr("Reaching the relay %1\u2026").arg(relay)};
    const QString give = NetworkWords::tr("Match code %1: give this code to your friend.").arg(code);
    return {followed_by(give, NetworkWords::tr("Relay %1: waiting for a player\u2026").arg(relay)),
            followed_by(give, NetworkWords::tr("Waiting for a player\u2026"))};
}

QString new_game_asked_notice(const QString& remote_name)
{
    return NetworkWords::tr("Asked %1 for a new game\u2026").arg(remote_name);
}

QString rejoining_notice(const QString& remote_name, int tries)
{
    const QString text = NetworkWords::tr("Connection to %1 lost: joining again\u2026").arg(remote_name);
    if (tries == 0) return text;
    return text + QStringLiteral(" (%1)").arg(tries);
}

QString back_notice(const QString& remote_name)
{
    return NetworkWords::tr("%1 is back").arg(remote_name);
}

QString join_again_notice(const QString& news)
{
    return followed_by(news, NetworkWords::tr("Opponent menu: Join again or Leave."));
}

QString joining_notice(const QString& label)
{
    return NetworkWords::tr("Joining %1\u2026").arg(label);
}

QString resumed_news(const QString& remote_name)
{
    return NetworkWords::tr("The match with %1 is resumed").arg(remote_name);
}

QString end_match_question(const QString& remote_label)
{
    return NetworkWords::tr("End the match with %1?").arg(remote_label);
}

QString new_game_question(const QString& remote_name)
{
    return NetworkWords::tr("%1 asks for a new game.").arg(remote_name);
}

QString left_text()
{
    return NetworkWords::tr("You left the network game: the table is a local game again.");
}

QString journal_trouble_text(const QString& why)
{
    return followed_by(why, NetworkWords::tr("The match goes on, but cannot be resumed if this program ends."));
}

QString resume_question(const QString& guest_name)
{
    return NetworkWords::tr("Resume the match with %1?").arg(guest_name);
}

QString no_journal_text()
{
    return NetworkWords::tr("There is no hosted match to resume.");
}

QString unreadable_journal_text(const QString& path, const QString& fault)
{
    return NetworkWords::tr("The hosted match cannot be resumed: its journal %1 does not read (%2).").arg(path, fault);
}
