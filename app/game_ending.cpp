#include "app/game_ending.h"

#include "rules/outcome.h"
#include "rules/supervisor.h"

int winner_of(const GameState& table, const std::string& status)
{
    if (!table.game_over) return 0;
    const int shooter = table.previous_player;
    return status == message_for(BLACK_POTTED_TO_WIN) ? shooter : other_player(shooter);
}

QString ending_text(bool winner_is_here, const QString& winner_name)
{
    if (winner_is_here) return QString::fromStdString(message_for(BLACK_POTTED_TO_WIN));
    return QStringLiteral("%1 wins").arg(winner_name);
}
