#include "protocol/message.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "match/utf8.h"
#include "protocol/protocol_limits.h"
#include "protocol/words.h"
#include "sim/table_geometry.h"

namespace {

constexpr std::size_t HASH_DIGITS = 16;

// By the enums' order.
constexpr std::array<std::string_view, 4> INPUT_WORDS{"shot", "place", "undo", "new"};
constexpr std::array<std::string_view, 7> BYE_REASONS{"leaving", "version", "busy", "malformed",
                                                     "timeout", "replaced", "full"};

template <typename Kind, std::size_t N>
std::optional<Kind> kind_named(const std::array<std::string_view, N>& names, std::string_view word)
{
    const auto found = std::find(names.begin(), names.end(), word);
    if (found == names.end()) return std::nullopt;
    return static_cast<Kind>(found - names.begin());
}

// Exactly `count` words, one space between each; nothing otherwise.
std::optional<std::vector<std::string_view>> exact_words(std::optional<std::string_view> rest, std::size_t count)
{
    std::vector<std::string_view> words;
    while (rest) {
        const Cut cut = cut_first_word(*rest);
        if (cut.word.empty()) return std::nullopt;
        words.push_back(cut.word);
        rest = cut.rest;
    }
    if (words.size() != count) return std::nullopt;
    return words;
}

struct Point {
    int x, y;
};

std::optional<Point> read_point(std::string_view x_word, std::string_view y_word)
{
    const std::optional<uint32_t> x = read_number(x_word, 0, DRAWING_AREA_WIDTH - 1);
    const std::optional<uint32_t> y = read_number(y_word, 0, DRAWING_AREA_HEIGHT - 1);
    if (!x || !y) return std::nullopt;
    return Point{static_cast<int>(*x), static_cast<int>(*y)};
}

// "shot X Y", "place X Y", "undo" or "new".
std::optional<Input> read_input(std::string_view text)
{
    const Cut cut = cut_first_word(text);
    const std::optional<InputKind> kind = kind_named<InputKind>(INPUT_WORDS, cut.word);
    if (!kind) return std::nullopt;
    const bool placed = *kind == InputKind::shot || *kind == InputKind::place;
    const auto words = exact_words(cut.rest, placed ? 2 : 0);
    if (!words) return std::nullopt;
    if (!placed) return Input{*kind};
    const std::optional<Point> at = read_point((*words)[0], (*words)[1]);
    if (!at) return std::nullopt;
    return Input{*kind, at->x, at->y};
}

// A check's hash or a seat's token: 16 lower-case hex digits.
bool is_hash(std::string_view word)
{
    return word.size() == HASH_DIGITS
           && std::all_of(word.begin(), word.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// `hello V NAME` or `welcome V NAME` after its first word.
template <typename Greeting>
std::optional<Message> read_greeting(std::optional<std::string_view> rest)
{
    if (!rest) return std::nullopt;
    const Cut cut = cut_first_word(*rest);
    const std::optional<uint32_t> version = read_number(cut.word, 0);
    if (!version) return std::nullopt;
    // Another version may say more, or less: only the version itself is read.
    if (*version != PROTOCOL_VERSION) return Greeting{*version, {}};
    if (!cut.rest || !is_player_name(*cut.rest)) return std::nullopt;
    return Greeting{*version, std::string(*cut.rest)};
}

// `again V TOKEN NAME` after its first word.
std::optional<Message> read_again(std::optional<std::string_view> rest)
{
    if (!rest) return std::nullopt;
    const Cut version_cut = cut_first_word(*rest);
    const std::optional<uint32_t> version = read_number(version_cut.word, 0);
    if (!version) return std::nullopt;
    if (*version != PROTOCOL_VERSION) return Again{*version, {}, {}};
    if (!version_cut.rest) return std::nullopt;
    const Cut token_cut = cut_first_word(*version_cut.rest);
    if (!is_hash(token_cut.word) || !token_cut.rest || !is_player_name(*token_cut.rest)) return std::nullopt;
    return Again{*version, std::string(token_cut.word), std::string(*token_cut.rest)};
}

// The one word after a message's first; an empty word when there is not exactly one.
std::string_view one_word(std::optional<std::string_view> rest)
{
    const auto words = exact_words(rest, 1);
    return words ? (*words)[0] : std::string_view();
}

std::optional<Message> read_seat(std::optional<std::string_view> rest)
{
    const std::string_view token = one_word(rest);
    if (!is_hash(token)) return std::nullopt;
    return SeatToken{std::string(token)};
}

std::optional<Message> read_guest(std::optional<std::string_view> rest)
{
    if (!rest || !is_player_name(*rest)) return std::nullopt;
    return GuestSeated{std::string(*rest)};
}

std::optional<Message> read_bye(std::optional<std::string_view> rest)
{
    const std::optional<ByeReason> reason = kind_named<ByeReason>(BYE_REASONS, one_word(rest));
    if (!reason) return std::nullopt;
    return Bye{*reason};
}

// A message of one number, from `least`.
template <typename OneNumber, uint64_t least>
std::optional<Message> read_one_number(std::optional<std::string_view> rest)
{
    const std::optional<uint32_t> value = read_number(one_word(rest), least);
    if (!value) return std::nullopt;
    return OneNumber{*value};
}

std::optional<Message> read_score(std::optional<std::string_view> rest)
{
    const auto words = exact_words(rest, 2);
    if (!words) return std::nullopt;
    const std::optional<uint32_t> player1 = read_number((*words)[0], 0);
    const std::optional<uint32_t> player2 = read_number((*words)[1], 0);
    if (!player1 || !player2) return std::nullopt;
    return Score{*player1, *player2};
}

std::optional<Message> read_refused(std::optional<std::string_view> rest)
{
    const std::optional<InputKind> kind = kind_named<InputKind>(INPUT_WORDS, one_word(rest));
    if (!kind) return std::nullopt;
    return Refused{*kind};
}

template <typename Bare>
std::optional<Message> read_bare(std::optional<std::string_view> rest)
{
    if (rest) return std::nullopt;
    return Bare{};
}

std::optional<Message> read_aim(std::optional<std::string_view> rest)
{
    const auto words = exact_words(rest, 2);
    if (!words) return std::nullopt;
    const std::optional<Point> at = read_point((*words)[0], (*words)[1]);
    if (!at) return std::nullopt;
    return Aim{at->x, at->y};
}

std::optional<Message> read_check(std::optional<std::string_view> rest)
{
    const auto words = exact_words(rest, 2);
    if (!words) return std::nullopt;
    const std::optional<uint32_t> number = read_number((*words)[0], 1);
    if (!number || !is_hash((*words)[1])) return std::nullopt;
    return Check{*number, std::string((*words)[1])};
}

std::optional<Message> read_sync(std::optional<std::string_view> rest)
{
    if (!rest) return std::nullopt;
    const Cut cut = cut_first_word(*rest);
    const std::optional<uint32_t> praise = read_number(cut.word, 0);
    if (!praise || !cut.rest || cut.rest->empty()) return std::nullopt;
    return Sync{*praise, std::string(*cut.rest)};
}

std::optional<Message> read_numbered(std::string_view number_word, std::optional<std::string_view> rest)
{
    const std::optional<uint32_t> number = read_number(number_word, 1);
    if (!number || !rest) return std::nullopt;
    const std::optional<Input> input = read_input(*rest);
    if (!input) return std::nullopt;
    return NumberedInput{*number, *input};
}

using Reader = std::optional<Message> (*)(std::optional<std::string_view> rest);

struct Shape {
    std::string_view word;
    Reader read;
};

constexpr std::array<Shape, 19> SHAPES{{
    {"hello", read_greeting<Hello>},
    {"again", read_again},
    {"watch", read_greeting<Watch>},
    {"guest", read_guest},
    {"guest-left", read_bare<GuestLeft>},
    {"seat", read_seat},
    {"welcome", read_greeting<Welcome>},
    {"bye", read_bye},
    {"score", read_score},
    {"match", read_one_number<MatchStart, 0>},
    {"ready", read_one_number<Ready, 0>},
    {"refused", read_refused},
    {"new?", read_bare<NewGameAsk>},
    {"new!", read_bare<NewGameAgree>},
    {"aim", read_aim},
    {"ping", read_bare<Ping>},
    {"check", read_check},
    {"sync?", read_bare<SyncAsk>},
    {"sync", read_sync},
}};

// Writes each message as its line.
struct Writer {
    std::string operator()(const Hello& m) const { return "hello " + std::to_string(m.version) + " " + m.name; }
    std::string operator()(const Again& m) const
    {
        return "again " + std::to_string(m.version) + " " + m.token + " " + m.name;
    }
    std::string operator()(const Watch& m) const { return "watch " + std::to_string(m.version) + " " + m.name; }
    std::string operator()(const SeatToken& m) const { return "seat " + m.token; }
    std::string operator()(const GuestSeated& m) const { return "guest " + m.name; }
    std::string operator()(const GuestLeft&) const { return "guest-left"; }
    std::string operator()(const Welcome& m) const { return "welcome " + std::to_string(m.version) + " " + m.name; }
    std::string operator()(const Bye& m) const
    {
        return "bye " + std::string(BYE_REASONS[static_cast<std::size_t>(m.reason)]);
    }
    std::string operator()(const Score& m) const
    {
        return "score " + std::to_string(m.player1) + " " + std::to_string(m.player2);
    }
    std::string operator()(const MatchStart& m) const { return "match " + std::to_string(m.praise); }
    std::string operator()(const Ready& m) const { return "ready " + std::to_string(m.last_number); }
    std::string operator()(const NumberedInput& m) const { return std::to_string(m.number) + " " + input_text(m.input); }
    std::string operator()(const InputRequest& m) const { return input_text(m.input); }
    std::string operator()(const Refused& m) const { return "refused " + std::string(input_word(m.kind)); }
    std::string operator()(const NewGameAsk&) const { return "new?"; }
    std::string operator()(const NewGameAgree&) const { return "new!"; }
    std::string operator()(const Aim& m) const { return "aim " + std::to_string(m.x) + " " + std::to_string(m.y); }
    std::string operator()(const Ping&) const { return "ping"; }
    std::string operator()(const Check& m) const { return "check " + std::to_string(m.number) + " " + m.hash; }
    std::string operator()(const SyncAsk&) const { return "sync?"; }
    std::string operator()(const Sync& m) const { return "sync " + std::to_string(m.praise) + " " + m.state; }
};

}  // namespace

std::optional<Message> parse_message(std::string_view line)
{
    const Cut cut = cut_first_word(line);
    if (!cut.word.empty() && cut.word.front() >= '0' && cut.word.front() <= '9')
        return read_numbered(cut.word, cut.rest);
    if (kind_named<InputKind>(INPUT_WORDS, cut.word)) {
        const std::optional<Input> input = read_input(line);
        if (!input) return std::nullopt;
        return InputRequest{*input};
    }
    for (const Shape& shape : SHAPES)
        if (shape.word == cut.word) return shape.read(cut.rest);
    return std::nullopt;
}

std::string format_message(const Message& message)
{
    return std::visit(Writer{}, message);
}

std::string_view input_word(InputKind kind)
{
    return INPUT_WORDS[static_cast<std::size_t>(kind)];
}

std::string input_text(const Input& input)
{
    std::string text(input_word(input.kind));
    if (input.kind == InputKind::shot || input.kind == InputKind::place)
        text += " " + std::to_string(input.x) + " " + std::to_string(input.y);
    return text;
}

std::optional<HostAnnouncement> parse_announcement(std::string_view datagram)
{
    const Cut head = cut_first_word(datagram);
    if (head.word != "corvenne-host" || !head.rest) return std::nullopt;
    const Cut version = cut_first_word(*head.rest);
    if (read_number(version.word, 0) != PROTOCOL_VERSION || !version.rest) return std::nullopt;
    const Cut port = cut_first_word(*version.rest);
    const std::optional<uint32_t> number = read_number(port.word, 1, std::numeric_limits<uint16_t>::max());
    if (!number || !port.rest || !is_player_name(*port.rest)) return std::nullopt;
    return HostAnnouncement{static_cast<uint16_t>(*number), std::string(*port.rest)};
}

std::string format_announcement(const HostAnnouncement& announcement)
{
    return "corvenne-host " + std::to_string(PROTOCOL_VERSION) + " " + std::to_string(announcement.port) + " "
           + announcement.name;
}
