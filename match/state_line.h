#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The table and the match at virtual time `t` as one JSON object, without a
// line break: every ball, the turn, both players, the shot in progress, the
// status line and the three timer switches of the attached window.
std::string state_line(int64_t t);

// A float as C's "%.9g" writes it in the C locale: it reads back to the same float.
std::string float_text(float value);
// `text` (UTF-8) as a JSON string, quotes included.
std::string json_string(std::string_view text);
