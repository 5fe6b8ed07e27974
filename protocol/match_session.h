#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/session_events.h"

// Either side of a network match, as its owner drives it: the lines that
// arrive, the time, this side's player, and what to send and tell.
class MatchSession {
public:
    virtual ~MatchSession() = default;

    virtual void receive(std::string_view line, int64_t now) = 0;
    // The other side's bytes broke the framing (a line too long, or not UTF-8).
    virtual void receive_malformed() = 0;
    // The connection closed by itself.
    virtual void connection_closed() = 0;
    // Time-outs, pings, held-back aims, inputs waiting for the table, checks.
    virtual void pump(int64_t now) = 0;

    // This side's player: a shot, a placement, the undo, or a new game asked for.
    virtual void play(const Input& input) = 0;
    // This side's player aimed at (x, y).
    virtual void aim(int x, int y, int64_t now) = 0;
    // This side's aims go out at most `per_second` a second, for a
    // connection where each line costs more than over TCP.
    virtual void pace_aims(int per_second) = 0;
    virtual void answer_new_game(bool agreed) = 0;
    // Says goodbye to the other side, if any.
    virtual void leave() = 0;
    // A driver stepping the match: the other side's inputs are applied one at
    // a time, each when released.
    virtual void hold_remote_inputs(bool hold) = 0;
    virtual void release_remote_input() = 0;

    virtual SessionOutput take_output() = 0;
    // The other side's player has the cue.
    virtual bool remote_has_cue() const = 0;
    // An input of this side's player has been neither played nor refused yet.
    virtual bool own_input_waiting() const = 0;
    // This side's player asked for a new game, and it is neither played nor refused yet.
    virtual bool own_new_game_asked() const = 0;
};
