#include "net/relay/match_code.h"

#include <QRandomGenerator>

namespace {

constexpr char ALPHABET[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int ALPHABET_SIZE = sizeof ALPHABET - 1;

// The characters a typist may mean for another: the letter for the digit.
QChar as_meant(QChar c)
{
    c = c.toUpper();
    if (c == u'O') return u'0';
    if (c == u'I' || c == u'L') return u'1';
    return c;
}

}  // namespace

QString draw_match_code()
{
    QString code;
    for (int i = 0; i < MATCH_CODE_LENGTH; ++i)
        code += QLatin1Char(ALPHABET[QRandomGenerator::system()->bounded(ALPHABET_SIZE)]);
    return code;
}

QString show_match_code(const QString& code)
{
    return code.left(MATCH_CODE_LENGTH / 2) + u'-' + code.mid(MATCH_CODE_LENGTH / 2);
}

std::optional<QString> read_match_code(const QString& typed)
{
    QString code;
    for (const QChar c : typed) {
        if (c.isSpace() || c == u'-') continue;
        const QChar meant = as_meant(c);
        if (!QLatin1StringView(ALPHABET).contains(meant) || code.size() == MATCH_CODE_LENGTH) return std::nullopt;
        code += meant;
    }
    if (code.size() != MATCH_CODE_LENGTH) return std::nullopt;
    return code;
}

std::optional<QString> read_code_not_address(const QString& typed)
{
    if (typed.contains(u'.') || typed.contains(u':')) return std::nullopt;
    return read_match_code(typed);
}
