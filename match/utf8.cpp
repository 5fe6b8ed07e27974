#include "match/utf8.h"

#include <cstddef>
#include <optional>

#include "match/match_limits.h"

namespace {

// The first byte of a character of two, three or four bytes: the bits that
// mark it, and the least code point of that length (smaller ones are overlong).
struct LeadByte {
    unsigned char mask;
    unsigned char marker;
    std::size_t length;
    char32_t least;
};
constexpr LeadByte LEAD_BYTES[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};

struct Character {
    char32_t code_point;
    std::size_t length;
};

std::optional<Character> decode_multibyte(std::string_view text, std::size_t at, const LeadByte& lead)
{
    if (text.size() - at < lead.length) return std::nullopt;
    char32_t code_point = static_cast<unsigned char>(text[at]) & static_cast<unsigned char>(~lead.mask);
    for (std::size_t k = 1; k < lead.length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        code_point = (code_point << 6) | (next & 0x3F);
    }
    const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
    if (code_point < lead.least || code_point > 0x10FFFF || surrogate) return std::nullopt;
    return Character{code_point, lead.length};
}

// The character that starts at `text[at]`, or nothing when the bytes there are not UTF-8.
std::optional<Character> decode(std::string_view text, std::size_t at)
{
    const auto first = static_cast<unsigned char>(text[at]);
    if (first < 0x80) return Character{first, 1};
    for (const LeadByte& lead : LEAD_BYTES)
        if ((first & lead.mask) == lead.marker) return decode_multibyte(text, at, lead);
    return std::nullopt;
}

bool is_control(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// How many characters `text` holds, or nothing when it is not UTF-8 or holds
// a control character where those are refused.
std::optional<std::size_t> count_characters(std::string_view text, bool controls_allowed)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::optional<Character> c = decode(text, at);
        if (!c || (!controls_allowed && is_control(c->code_point))) return std::nullopt;
        at += c->length;
    }
    return count;
}

}  // namespace

bool is_utf8(std::string_view text)
{
    return count_characters(text, true).has_value();
}

bool is_player_name(std::string_view text)
{
    const std::optional<std::size_t> count = count_characters(text, false);
    return count && *count >= 1 && *count <= MAX_NAME_CHARACTERS;
}
