#pragma once

#include <string_view>

// Whether `text` is UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
bool is_utf8(std::string_view text);

// 1 to MAX_NAME_CHARACTERS characters of UTF-8, none of them a control character (C0, DEL, C1).
bool is_player_name(std::string_view text);
