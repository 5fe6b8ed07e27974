#pragma once

#include <QString>
#include <optional>

// The code a host gives its friend so that both find the same match on a
// relay: 10 characters of an alphabet without I, L, O and U, so that nothing
// read aloud or copied by hand is mistaken for something else.
inline constexpr int MATCH_CODE_LENGTH = 10;

// A new code from the system's cryptographic random source (50 bits).
QString draw_match_code();
// The code as a player sees and types it: XXXXX-XXXXX.
QString show_match_code(const QString& code);
// The code a player typed: blanks and dashes left out, any case, O read as 0
// and I or L as 1. Nothing when it is not a code.
std::optional<QString> read_match_code(const QString& typed);
// Where a player may type either: a code, unless it has the dot or colon of
// an address (a host named with ten such letters is typed with its port).
std::optional<QString> read_code_not_address(const QString& typed);
