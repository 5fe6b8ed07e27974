#include "app/game_ending.h"

#include "rules/outcome.h"
#include "rules/supervisor.h"

QString ending_text(bool winner_is_here, const QString& winner_name)
{
    if (winner_is_here) return QString::fromStdString(message_for(BLACK_POTTED_TO_WIN));
    return QStringLiteral("%1 wins").arg(winner_name);
}
