#pragma once

#include <string>
#include <string_view>

#include "protocol/session_events.h"

// What became of the other player's connection, in a few words under their
// name: "connection lost".
std::string_view end_words(EndReason reason);


// What this side's player is told when the connection to `remote_name` ended:
// "Anna left the game", "The connection to Anna was lost". Without a name,
// "the other player".
std::string end_sentence(std::string_view remote_name, EndReason reason);

// A guest whose connection was lost joins again by itself: "Connection to
// Anna lost: joining again… (3)", with the tries so far once there are any.
std::string rejoining_text(std::string_view remote_name, int tries);
// The other player's connection stands again after it was lost: "Anna is back".
std::string back_text(std::string_view remote_name);

// Why `name` cannot be a player's name, for the dialogs; empty when it can.
std::string name_problem(std::string_view name);

// What this side's player is told when the host did not take their input.
std::string refusal_text(std::string_view remote_name, InputKind kind);

// The guest's window, when its table differed from the host's.
constexpr std::string_view OUT_OF_STEP_TEXT = "Tables out of step: the host's table is used";
