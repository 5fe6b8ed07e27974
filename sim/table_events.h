#pragma once

#include <cstdint>

// What happened on the table, as the live game's listeners hear it (the
// sound, the network): never a worker's trial.
enum class TableEventKind : uint8_t {
    cue_strike,  // the launch: `speed` is the shot's strength, 1 to 28
    balls_met,   // `ball` and `other` began to touch: `speed` is their closing speed
                 // along the line of centres, in pixels a step
    cushion,     // `ball` rebounded from a cushion or a jaw: `speed` is its speed before
    pocket,      // `ball` went down a pocket: `speed` is its speed as it went
};

struct TableEvent {
    TableEventKind kind = TableEventKind::cue_strike;
    int ball = 0;
    int other = 0;  // balls_met only
    float speed = 0;
    bool operator==(const TableEvent&) const = default;
};
