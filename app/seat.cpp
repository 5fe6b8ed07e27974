#include "app/seat.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char*, ComputerLevel>, 4> LEVEL_WORDS{{
    {"easy", ComputerLevel::easy},
    {"medium", ComputerLevel::medium},
    {"hard", ComputerLevel::hard},
    {"expert", ComputerLevel::expert},
}};

const char* level_word(ComputerLevel level)
{
    for (const auto& [word, known] : LEVEL_WORDS)
        if (known == level) return word;
    return "";
}

}  // namespace

QString seat_name(const Seat& seat, int player)
{
    if (seat.computer) return QStringLiteral("Computer (%1)").arg(QString::fromLatin1(level_word(*seat.computer)));
    return QStringLiteral("Player %1").arg(player);
}

std::optional<Seat> seat_from_word(const QString& word)
{
    if (word == QLatin1String("person")) return Seat{};
    for (const auto& [known, level] : LEVEL_WORDS)
        if (word == QLatin1String(known)) return Seat{level};
    return std::nullopt;
}

QString word_of(const Seat& seat)
{
    return seat.computer ? QString::fromLatin1(level_word(*seat.computer)) : QStringLiteral("person");
}
