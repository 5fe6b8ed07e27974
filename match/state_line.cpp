#include "match/state_line.h"

#include <charconv>
#include <cstdio>

#include "sim/variables.h"
#include "sim/window.h"

namespace {

// Builds one object: `"key":value` pairs joined by commas, in the order added.
class JsonObject {
public:
    JsonObject& add(std::string_view key, const std::string& value)
    {
        text_ += text_.empty() ? "{" : ",";
        text_ += "\"";
        text_ += key;
        text_ += "\":";
        text_ += value;
        return *this;
    }
    JsonObject& add(std::string_view key, int64_t value) { return add(key, std::to_string(value)); }
    JsonObject& add(std::string_view key, float value) { return add(key, float_text(value)); }
    JsonObject& add(std::string_view key, bool flag) { return add(key, int64_t{flag ? 1 : 0}); }
    std::string text() const { return text_ + "}"; }

private:
    std::string text_;
};

template <typename Items, typename ToJson>
std::string json_array(const Items& items, ToJson to_json)
{
    std::string text = "[";
    const char* separator = "";
    for (const auto& item : items) {
        text += separator;
        text += to_json(item);
        separator = ",";
    }
    return text + "]";
}

std::string ball_json(const BallRecord& ball)
{
    return JsonObject()
        .add("x", ball.x)
        .add("y", ball.y)
        .add("vx", ball.vx)
        .add("vy", ball.vy)
        .add("state", int64_t{ball.state})
        .text();
}

std::string player_json(const tjoueur& player)
{
    return JsonObject()
        .add("group", int64_t{player.group})
        .add("keeps_turn", player.keeps_turn)
        .add("first_touched", int64_t{player.first_touched})
        .add("on_black", player.on_black)
        .text();
}

}  // namespace

std::string float_text(float value)
{
    // to_chars, unlike printf, does not follow the locale that the toolkit sets from the environment.
    char digits[32];
    const std::to_chars_result written =
        std::to_chars(digits, digits + sizeof digits, double{value}, std::chars_format::general, 9);
    return std::string(digits, written.ptr);
}

std::string json_string(std::string_view text)
{
    std::string escaped(1, '"');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", byte);
            escaped += code;
        } else {
            escaped += c;  // UTF-8 passes through as it is
        }
    }
    escaped += '"';
    return escaped;
}

std::string state_line(int64_t t)
{
    const Window& w = window();
    return JsonObject()
        .add("t", t)
        .add("balls", json_array(game.balls, ball_json))
        .add("current_player", int64_t{game.current_player})
        .add("previous_player", int64_t{game.previous_player})
        .add("players", json_array(game.players, player_json))
        .add("outcome", int64_t{game.outcome})
        .add("status", json_string(w.status_line()))
        .add("game_over", game.game_over)
        .add("aiming_enabled", game.aiming_enabled)
        .add("shot_evaluated", game.shot_evaluated)
        .add("first_contact_seen", game.first_contact_seen)
        .add("timer1", w.timer_on(Timer1))
        .add("timer2", w.timer_on(Timer2))
        .add("timer3", w.timer_on(Timer3))
        .text();
}
