#include "match/script.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <span>
#include <utility>
#include <vector>

#include "match/match_limits.h"
#include "match/utf8.h"

namespace {

// What a number of a command stands for and the largest value it may take.
struct NumberKind {
    std::string_view name;
    int64_t min;
    int64_t max;
};

constexpr std::array<NumberKind, 2> POSITION{{{"X", 0, SCRIPT_MAX_X}, {"Y", 0, SCRIPT_MAX_Y}}};
constexpr std::array<NumberKind, 1> DURATION{{{"MS", 0, SCRIPT_MAX_WAIT_MS}}};
constexpr std::array<NumberKind, 1> LEVEL{{{"LEVEL", 1, SCRIPT_MAX_LEVEL}}};
constexpr std::array<NumberKind, 1> PRAISE_STATE{{{"R", 0, std::numeric_limits<uint32_t>::max()}}};
constexpr std::array<NumberKind, 1> PORT{{{"PORT", 1, std::numeric_limits<uint16_t>::max()}}};

struct CommandShape {
    std::string_view word;
    CommandKind kind;
    std::span<const NumberKind> numbers;
    bool named = false;  // a name follows the numbers: the rest of the line
    bool coded = false;  // a match code comes between the numbers and the name
    bool pathed = false;  // a file's path is the rest of the line
    bool relayed = false;  // a relay, a port or an address, comes first
};

constexpr std::array<CommandShape, 22> COMMANDS{{
    {"move", CommandKind::move, POSITION},
    {"press", CommandKind::press, POSITION},
    {"wait", CommandKind::wait, DURATION},
    {"settle", CommandKind::settle, {}},
    {"shot", CommandKind::shot, POSITION},
    {"undo", CommandKind::undo, {}},
    {"new", CommandKind::new_game, {}},
    {"state", CommandKind::state, {}},
    {"pixels", CommandKind::pixels, {}},
    {"computer", CommandKind::computer, LEVEL},
    {"praise", CommandKind::praise, PRAISE_STATE},
    {"host", CommandKind::host, PORT, true},
    {"join", CommandKind::join, PORT, true},
    {"host-relay", CommandKind::host_relay, {}, true, false, false, true},
    {"join-relay", CommandKind::join_relay, {}, true, true, false, true},
    {"journal", CommandKind::journal, {}, false, false, true},
    {"host-resume", CommandKind::host_resume, {}, false, false, true},
    {"watch", CommandKind::watch, PORT, true},
    {"watch-relay", CommandKind::watch_relay, {}, true, true, false, true},
    {"await", CommandKind::await, {}},
    {"leave", CommandKind::leave, {}},
    {"score", CommandKind::score, {}},
}};

bool is_blank(char c)
{
    // A carriage return is a blank too, so scripts with DOS line ends read alike.
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> split_words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        if (is_blank(line[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < line.size() && !is_blank(line[i])) ++i;
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A match code's word is read as the player typed it, within reason.
constexpr size_t MAX_CODE_WORD = 64;
// A relay's address: a scheme, the longest host name and a port.
constexpr size_t MAX_RELAY_WORD = 300;
// The longest path the system takes.
constexpr size_t MAX_PATH_WORD = 4096;

// An error message shows about this many bytes of a word from the script.
constexpr size_t ECHO_LIMIT = 40;

// A word from the script as an error message shows it: cut after a few dozen
// bytes, never inside a UTF-8 character, with control bytes written \xNN, so
// that a line of binary junk cannot flood or garble the terminal.
std::string echo(std::string_view word)
{
    std::string text;
    size_t i = 0;
    for (; i < word.size(); ++i) {
        const auto byte = static_cast<unsigned char>(word[i]);
        // A UTF-8 character is at most four bytes long: a longer run of
        // continuation bytes is not text and is cut anywhere.
        const bool starts_a_character = (byte & 0xC0) != 0x80;
        if (text.size() >= ECHO_LIMIT && (starts_a_character || text.size() >= ECHO_LIMIT + 3)) break;
        if (byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            text += code;
        } else {
            text += word[i];
        }
    }
    if (i < word.size()) text += "...";
    return text;
}

std::string quoted(std::string_view word)
{
    return '"' + echo(word) + '"';
}

ScriptCommand invalid(std::string message)
{
    ScriptCommand command;
    command.kind = CommandKind::invalid;
    command.error = std::move(message);
    return command;
}

// An optional minus sign and at least one decimal digit, nothing else.
bool looks_like_integer(std::string_view word)
{
    if (!word.empty() && word.front() == '-') word.remove_prefix(1);
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Empty when `word` is a whole number within the range of `kind`, else why not.
std::string read_number(std::string_view word, const NumberKind& kind, int64_t& value)
{
    const std::string name(kind.name);
    if (!looks_like_integer(word)) return name + " " + quoted(word) + " is not a whole number";
    const std::from_chars_result read = std::from_chars(word.data(), word.data() + word.size(), value);
    if (read.ec != std::errc{} || value < kind.min || value > kind.max)
        return name + " " + echo(word) + " is out of range (" + std::to_string(kind.min) + " to "
               + std::to_string(kind.max) + ")";
    return {};
}

const CommandShape* find_command(std::string_view word)
{
    const auto found = std::find_if(COMMANDS.begin(), COMMANDS.end(),
                                    [word](const CommandShape& shape) { return shape.word == word; });
    return found == COMMANDS.end() ? nullptr : &*found;
}

// The line from `word`, a view into it, to its end, without blanks at the end.
std::string_view rest_of_line(std::string_view line, std::string_view word)
{
    std::string_view rest = line.substr(static_cast<size_t>(word.data() - line.data()));
    while (!rest.empty() && is_blank(rest.back())) rest.remove_suffix(1);
    return rest;
}

// Empty when `name` may name a player, else why not.
std::string read_name(std::string_view name)
{
    if (name.empty()) return "missing NAME";
    if (!is_player_name(name))
        return "NAME " + quoted(name) + " is not 1 to " + std::to_string(MAX_NAME_CHARACTERS)
               + " characters without a control character";
    return {};
}

// Empty when `word` may name a relay, else why not. Whether an address
// reads is for the network to tell; a port is checked here.
std::string read_relay(std::string_view word, std::string& relay)
{
    int64_t port = 0;
    if (looks_like_integer(word)) {
        if (std::string fault = read_number(word, PORT[0], port); !fault.empty()) return fault;
    } else if (word.size() > MAX_RELAY_WORD) {
        return "RELAY " + quoted(word) + " is too long";
    }
    relay = word;
    return {};
}

ScriptCommand read_command(const CommandShape& shape, std::span<const std::string_view> arguments,
                           std::string_view line)
{
    const std::span<const NumberKind> expected = shape.numbers;
    const std::string word(shape.word);
    if (arguments.size() < expected.size())
        return invalid(word + ": missing " + std::string(expected[arguments.size()].name));
    if (arguments.size() > expected.size() && !shape.named && !shape.pathed)
        return invalid(word + ": unexpected " + quoted(arguments[expected.size()]));
    std::array<int64_t, 2> values{};
    for (size_t k = 0; k < expected.size(); ++k) {
        const std::string fault = read_number(arguments[k], expected[k], values[k]);
        if (!fault.empty()) return invalid(word + ": " + fault);
    }
    ScriptCommand command;
    command.kind = shape.kind;
    size_t name_at = expected.size();
    if (shape.relayed) {
        if (arguments.empty()) return invalid(word + ": missing RELAY");
        const std::string fault = read_relay(arguments.front(), command.relay);
        if (!fault.empty()) return invalid(word + ": " + fault);
        ++name_at;
    }
    if (shape.coded) {
        if (arguments.size() <= name_at) return invalid(word + ": missing CODE");
        if (arguments[name_at].size() > MAX_CODE_WORD)
            return invalid(word + ": CODE " + quoted(arguments[name_at]) + " is too long");
        command.code = arguments[name_at++];
    }
    if (shape.pathed) {
        if (arguments.empty()) return invalid(word + ": missing PATH");
        command.path = rest_of_line(line, arguments.front());
        if (command.path.size() > MAX_PATH_WORD) return invalid(word + ": PATH is too long");
    }
    if (shape.named) {
        command.name = arguments.size() > name_at ? rest_of_line(line, arguments[name_at]) : "";
        const std::string fault = read_name(command.name);
        if (!fault.empty()) return invalid(word + ": " + fault);
    }
    // Each value was checked against its range, so it fits its field.
    if (shape.kind == CommandKind::wait) {
        command.milliseconds = static_cast<int>(values[0]);
    } else if (shape.kind == CommandKind::computer) {
        command.level = static_cast<int>(values[0]);
    } else if (shape.kind == CommandKind::praise) {
        command.praise_state = static_cast<uint32_t>(values[0]);
    } else if (shape.named && !shape.relayed) {
        command.port = static_cast<int>(values[0]);
    } else {
        command.x = static_cast<int>(values[0]);
        command.y = static_cast<int>(values[1]);
    }
    return command;
}

}  // namespace

std::string_view without_byte_order_mark(std::string_view first_line)
{
    constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
    if (first_line.starts_with(BYTE_ORDER_MARK)) first_line.remove_prefix(BYTE_ORDER_MARK.size());
    return first_line;
}

ScriptCommand parse_script_line(std::string_view line)
{
    const std::vector<std::string_view> words = split_words(line);
    if (words.empty() || words.front().front() == '#') return ScriptCommand{};
    const CommandShape* shape = find_command(words.front());
    if (!shape) return invalid("unknown command " + quoted(words.front()));
    return read_command(*shape, std::span(words).subspan(1), line);
}
