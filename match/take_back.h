#pragma once

#include <optional>

#include "match/match_record.h"

// A person's take-back against the computer: the record without `person`'s
// last shot that still stands, the placing presses that led up to it, and
// every input after it. None when the record holds no such shot or does not
// replay.
std::optional<MatchRecord> without_last_shot_of(const MatchRecord& record, int person);
