#include "app/dialog_message.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// Wide enough for a message's usual words and a relay's whole address.
constexpr int WIDEST_WORD_CHARACTERS = 40;

}  // namespace

DialogMessage::DialogMessage()
{
    setWordWrap(true);
}

void DialogMessage::say(const QString& text)
{
    const QFontMetrics metrics(font());
    const int widest_word = metrics.averageCharWidth() * WIDEST_WORD_CHARACTERS;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words) word = metrics.elidedText(word, Qt::ElideMiddle, widest_word);
        line = words.join(QLatin1Char(' '));
    }
    const QString shown = lines.join(QLatin1Char('\n'));
    setText(shown);
    setToolTip(shown == text ? QString() : text);
}
