#include "match/state_line_reader.h"

#include <charconv>
#include <cmath>

#include "rules/outcome.h"
#include "sim/table_geometry.h"
#include "sim/variables.h"

namespace {

// Faster than any ball can go: the strongest shot starts the cue ball at 28.
constexpr float SPEED_LIMIT = 64;

// The line still to read.
class Cursor {
public:
    explicit Cursor(std::string_view text) : rest_(text) {}

    bool at_end() const { return rest_.empty(); }
    // Moves past `text` when the line goes on with it.
    bool skip(std::string_view text)
    {
        if (!rest_.starts_with(text)) return false;
        rest_.remove_prefix(text.size());
        return true;
    }
    // A value up to the next separator.
    std::string_view take_value()
    {
        const std::string_view value = rest_.substr(0, rest_.find_first_of(",}]"));
        rest_.remove_prefix(value.size());
        return value;
    }
    std::optional<std::string> take_string();

private:
    std::optional<char32_t> take_escaped_code_point();

    std::string_view rest_;
};

void append_utf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> read_hex4(std::string_view digits)
{
    unsigned value = 0;
    if (digits.size() < 4) return std::nullopt;
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + 4, value, 16);
    if (read.ec != std::errc{} || read.ptr != digits.data() + 4) return std::nullopt;
    return static_cast<char32_t>(value);
}

// After "\u": four hex digits, and a second "\uXXXX" for a surrogate pair.
std::optional<char32_t> Cursor::take_escaped_code_point()
{
    const std::optional<char32_t> first = read_hex4(rest_);
    if (!first) return std::nullopt;
    rest_.remove_prefix(4);
    if (*first < 0xD800 || *first > 0xDFFF) return first;
    if (*first > 0xDBFF || !skip("\\u")) return std::nullopt;
    const std::optional<char32_t> second = read_hex4(rest_);
    if (!second || *second < 0xDC00 || *second > 0xDFFF) return std::nullopt;
    rest_.remove_prefix(4);
    return 0x10000 + ((*first - 0xD800) << 10) + (*second - 0xDC00);
}

// A JSON string, quotes included; control characters only escaped.
std::optional<std::string> Cursor::take_string()
{
    constexpr std::string_view SIMPLE_ESCAPES = "\"\\/bfnrt";
    constexpr std::string_view MEANINGS = "\"\\/\b\f\n\r\t";
    if (!skip("\"")) return std::nullopt;
    std::string text;
    while (!rest_.empty()) {
        const char c = rest_.front();
        rest_.remove_prefix(1);
        if (c == '"') return text;
        if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (rest_.empty()) return std::nullopt;
        const char escape = rest_.front();
        rest_.remove_prefix(1);
        if (const std::size_t k = SIMPLE_ESCAPES.find(escape); k != std::string_view::npos) {
            text += MEANINGS[k];
        } else if (escape != 'u') {
            return std::nullopt;
        } else if (const std::optional<char32_t> code_point = take_escaped_code_point()) {
            append_utf8(text, *code_point);
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// `key` (with the separator before it), then a whole number from `least` to `most`.
bool read_integer(Cursor& line, std::string_view key, int64_t least, int64_t most, int64_t& value)
{
    if (!line.skip(key)) return false;
    const std::string_view digits = line.take_value();
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return read.ec == std::errc{} && read.ptr == digits.data() + digits.size() && value >= least && value <= most;
}

bool read_int32(Cursor& line, std::string_view key, int64_t least, int64_t most, int32_t& value)
{
    int64_t read = 0;
    if (!read_integer(line, key, least, most, read)) return false;
    value = static_cast<int32_t>(read);
    return true;
}

bool read_flag(Cursor& line, std::string_view key, bool& flag)
{
    int64_t value = 0;
    if (!read_integer(line, key, 0, 1, value)) return false;
    flag = value == 1;
    return true;
}

bool read_float(Cursor& line, std::string_view key, float least, float most, float& value)
{
    if (!line.skip(key)) return false;
    const std::string_view digits = line.take_value();
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return read.ec == std::errc{} && read.ptr == digits.data() + digits.size() && std::isfinite(value)
           && value >= least && value <= most;
}

bool is_group(int32_t colour)
{
    return colour == NoGroup || colour == RED || colour == YELLOW;
}

// A ball stays within the drawing area, in table pixels.
bool read_ball(Cursor& line, BallLine& ball)
{
    constexpr auto LEFT = static_cast<float>(-DRAW_OFFSET_X), TOP = static_cast<float>(-DRAW_OFFSET_Y);
    constexpr auto RIGHT = static_cast<float>(DRAWING_AREA_WIDTH - DRAW_OFFSET_X);
    constexpr auto BOTTOM = static_cast<float>(DRAWING_AREA_HEIGHT - DRAW_OFFSET_Y);
    int32_t state = 0;
    const bool read = read_float(line, "{\"x\":", LEFT, RIGHT, ball.x) && read_float(line, ",\"y\":", TOP, BOTTOM, ball.y)
                      && read_float(line, ",\"vx\":", -SPEED_LIMIT, SPEED_LIMIT, ball.vx)
                      && read_float(line, ",\"vy\":", -SPEED_LIMIT, SPEED_LIMIT, ball.vy)
                      && read_int32(line, ",\"state\":", BALL_OFF_TABLE, BALL_POTTED, state) && line.skip("}");
    ball.state = static_cast<BallState>(state);
    return read;
}

bool read_player(Cursor& line, tjoueur& player)
{
    return read_int32(line, "{\"group\":", 0, 0xFFFFFF, player.group) && is_group(player.group)
           && read_flag(line, ",\"keeps_turn\":", player.keeps_turn)
           && read_int32(line, ",\"first_touched\":", 0, 0xFFFFFF, player.first_touched)
           && (is_group(player.first_touched) || player.first_touched == BLACK)
           && read_flag(line, ",\"on_black\":", player.on_black) && line.skip("}");
}

bool read_balls(Cursor& line, StateLine& state)
{
    if (!line.skip("\"balls\":[")) return false;
    for (std::size_t i = 0; i < state.balls.size(); ++i)
        if ((i > 0 && !line.skip(",")) || !read_ball(line, state.balls[i])) return false;
    return line.skip("]");
}

bool read_players(Cursor& line, StateLine& state)
{
    return line.skip(",\"players\":[") && read_player(line, state.players[0]) && line.skip(",")
           && read_player(line, state.players[1]) && line.skip("]");
}

bool read_turn_and_status(Cursor& line, StateLine& state)
{
    if (!read_int32(line, ",\"current_player\":", 1, 2, state.current_player)
        || !read_int32(line, ",\"previous_player\":", 1, 2, state.previous_player) || !read_players(line, state)
        || !read_int32(line, ",\"outcome\":", praise_code(PRAISE_CODE_COUNT - 1), BLACK_TOUCHED_FIRST, state.outcome)
        || !line.skip(",\"status\":"))
        return false;
    std::optional<std::string> status = line.take_string();
    if (!status) return false;
    state.status = std::move(*status);
    return true;
}

bool read_flags(Cursor& line, StateLine& state)
{
    return read_flag(line, ",\"game_over\":", state.game_over)
           && read_flag(line, ",\"aiming_enabled\":", state.aiming_enabled)
           && read_flag(line, ",\"shot_evaluated\":", state.shot_evaluated)
           && read_flag(line, ",\"first_contact_seen\":", state.first_contact_seen)
           && read_flag(line, ",\"timer1\":", state.timers[0]) && read_flag(line, ",\"timer2\":", state.timers[1])
           && read_flag(line, ",\"timer3\":", state.timers[2]);
}

}  // namespace

std::optional<StateLine> read_state_line(std::string_view text)
{
    Cursor line(text);
    StateLine state;
    int64_t t = 0;
    if (!line.skip("{")) return std::nullopt;
    if (line.skip("\"t\":") && !(read_integer(line, "", 0, INT64_MAX, t) && line.skip(","))) return std::nullopt;
    if (!read_balls(line, state) || !read_turn_and_status(line, state) || !read_flags(line, state)) return std::nullopt;
    if (!line.skip("}") || !line.at_end()) return std::nullopt;
    return state;
}
