#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "protocol/input_rules.h"
#include "protocol/message.h"

// Why a connection ended, as this side tells its player.
enum class EndReason : uint8_t {
    left,       // the other side said goodbye
    lost,       // silence for too long, or the connection closed without a goodbye
    malformed,  // a line broke the protocol: theirs, or ours as they read it
    version,    // the other side speaks another version of the protocol
    busy,       // the host already has a guest
    replaced,   // the guest took its seat back over another connection
    full,       // the host has no room for another watcher
};

// Host: a guest has taken the seat and has the match. Guest: the match so
// far stands on the table and play goes on.
struct Connected {
    std::string remote_name;
};
// A numbered input has been applied to the table; `side` is whose it was.
struct InputApplied {
    NumberedInput numbered;
    Side side = Side::host;
};
// This side's own input was not taken; nothing changed.
struct InputRefused {
    InputKind kind = InputKind::shot;
};
// The other side asks for a new game; the player answers.
struct NewGameAsked {};
// The tables differed after input `number`: the host's table is used.
struct OutOfStep {
    uint32_t number = 0;
};
// A watcher: who holds the guest's seat now, nobody when it is free.
struct SeatHolder {
    std::string guest_name;
};
// The host: how many watch the match now.
struct WatchersCounted {
    std::size_t count = 0;
};
struct Disconnected {
    EndReason reason = EndReason::lost;
};

using SessionEvent = std::variant<Connected, InputApplied, InputRefused, NewGameAsked, OutOfStep, SeatHolder,
                                  WatchersCounted, Disconnected>;

// What a session asks of its owner after each call: the lines to send, in
// order, what happened, and whether to close the connection once the lines are out.
struct SessionOutput {
    std::vector<std::string> lines;
    std::vector<SessionEvent> events;
    bool close = false;
};
