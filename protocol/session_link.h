#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>

#include "protocol/protocol_limits.h"
#include "protocol/session_events.h"

// One connection as either side keeps it up: what goes out and what happened,
// when the other side was last heard and last sent to, and the pace of aims
// both ways. A line goes out at the latest time it has been told.
class SessionLink {
public:
    void open(int64_t now);
    bool is_open() const { return open_; }

    // Nothing goes out while the connection is closed.
    void send(const Message& message);
    template <typename Event>
    void report(Event event)
    {
        output_.events.emplace_back(std::in_place_type<Event>, std::move(event));
    }
    // Closes the connection, saying goodbye first when `say` is given.
    void end(std::optional<ByeReason> say);

    void heard(int64_t now) { last_heard_ = now_ = now; }
    // Nothing heard for 15 s.
    bool silent_too_long(int64_t now) const;
    // A ping after 5 s of sending nothing, and an aim held back by the pace.
    void keep_up(int64_t now);

    // An aim from the other side: false when it goes beyond 30 a second.
    bool aim_within_limit(int64_t now);
    // This side's aim goes out at once, or at the next upkeep when the last
    // one went out too recently; a later aim replaces one held back. The
    // point the other side's cue stands at already is not sent again.
    void offer_aim(const Aim& aim, int64_t now);
    // This side's aims go out at most `per_second` a second (30 unless told).
    void pace_aims(int per_second);
    // An input was played: no aim is held back, and the cue is drawn afresh
    // at the next aim, wherever it is.
    void forget_aims()
    {
        held_aim_.reset();
        aim_sent_.reset();
    }

    SessionOutput take_output();

private:
    // Whole milliseconds between two aims sent, so that no second holds more than `per_second`.
    static constexpr int64_t spacing_ms(int per_second) { return (1000 + per_second - 1) / per_second; }
    void send_aim(const Aim& aim, int64_t now);

    bool open_ = false;
    SessionOutput output_;
    int64_t now_ = 0;
    int64_t last_heard_ = 0;
    int64_t last_sent_ = 0;
    // Aims heard: a budget in thirtieths of a millisecond, 1000 an aim, that
    // refills at 30 a millisecond up to 30 aims' worth.
    int64_t aim_budget_ = 0;
    int64_t aim_budget_at_ = 0;
    std::optional<Aim> held_aim_;
    std::optional<Aim> aim_sent_;
    std::optional<int64_t> last_aim_sent_at_;
    int64_t aim_spacing_ms_ = spacing_ms(MAX_AIMS_PER_SECOND);
};

// How this side tells its player of the other side's goodbye.
EndReason reason_heard(ByeReason said);
