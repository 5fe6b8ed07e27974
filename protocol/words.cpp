#include "protocol/words.h"

Cut cut_first_word(std::string_view line)
{
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return {line, std::nullopt};
    return {line.substr(0, space), line.substr(space + 1)};
}

std::optional<uint32_t> read_number(std::string_view word, uint64_t least, uint64_t most)
{
    if (word.empty() || word.size() > 10 || (word.size() > 1 && word.front() == '0')) return std::nullopt;
    uint64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value < least || value > most) return std::nullopt;
    return static_cast<uint32_t>(value);
}
