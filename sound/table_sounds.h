#pragma once

#include <cstddef>
#include <vector>

#include "sim/table_events.h"

// More sounds at once only blur a break's burst of clicks: the quietest give way.
constexpr size_t MAX_VOICES = 8;

// The sounds of one tick start this far apart, loudest first, so that a
// burst of meetings is heard as a rattle and not as one doubled click; the
// last still starts within the tick.
constexpr int STAGGER_MS = 1;

// A sound to start: the sample of the event's kind, how loud (0 to 1), how
// bright (0 dull, 1 as the sample was made) and how long after its tick's
// drawing.
struct SoundStart {
    TableEventKind sample = TableEventKind::cue_strike;
    float volume = 0;
    float brightness = 1;
    int delay_ms = 0;
    bool operator==(const SoundStart&) const = default;
};

// The sound one event makes. A harder event is louder, smoothly, from silence
// (a pocket drop and a cue strike never quite fall silent); a harder meeting
// of two balls is also brighter.
SoundStart sound_for(const TableEvent& event);

// The events heard while a simulation tick ran, kept until the tick's drawing
// reaches the screen, when their sounds start.
class TickSounds {
public:
    void hear(const TableEvent& event) { heard_.push_back(sound_for(event)); }
    // The sounds of everything heard since the last call, loudest first and at
    // most MAX_VOICES of them, each STAGGER_MS after the one before; an equal
    // volume keeps the order of hearing.
    std::vector<SoundStart> take();

private:
    std::vector<SoundStart> heard_;
};
