#pragma once

#include <cstddef>
#include <cstdint>

// The numbers both programs of a network match agree on.
constexpr uint32_t PROTOCOL_VERSION = 1;
constexpr uint16_t DEFAULT_PORT = 47147;
// A line with its final line feed.
constexpr std::size_t MAX_LINE_BYTES = 4096;
constexpr int MAX_AIMS_PER_SECOND = 30;
// Nothing heard for this long: the connection is lost.
constexpr int64_t SILENCE_LIMIT_MS = 15'000;
// Nothing sent for this long: a ping keeps the connection alive.
constexpr int64_t PING_AFTER_MS = 5'000;
// A waiting host's announcement on the local network, and how long a guest lists it.
constexpr int64_t ANNOUNCE_EVERY_MS = 2'000;
constexpr int64_t HOST_HEARD_FOR_MS = 6'000;

// This program's own bounds on what a peer may make it hold (a player's name
// and a rack's inputs are the match's own: match/match_limits.h).
// A guest's inputs waiting for the host's table to settle.
constexpr std::size_t MAX_WAITING_FROM_GUEST = 32;
// The host's inputs waiting for the guest's table to settle.
constexpr std::size_t MAX_WAITING_FROM_HOST = 256;
// Connections that have not yet sent their opening line, from one address
// and from all: one more is closed at once without a word, so that one
// address's flood neither keeps another's guest out nor holds the host.
constexpr std::size_t MAX_OPENINGS_PER_ADDRESS = 4;
constexpr std::size_t MAX_OPENING_CONNECTIONS = 64;
// Watchers of one match at once, and what one may leave unread before it is dropped.
constexpr std::size_t MAX_WATCHERS = 32;
constexpr std::size_t MAX_WATCHER_UNSENT_BYTES = 256 * 1024;
// A connection that has not sent its opening line by then is dropped.
constexpr int64_t OPENING_LIMIT_MS = 3'000;
// A guest whose connection was lost joins again by itself: the first try
// after a second, each next one twice as late, at most this far apart, for
// this long.
constexpr int64_t FIRST_REJOIN_AFTER_MS = 1'000;
constexpr int64_t MAX_REJOIN_SPACING_MS = 10'000;
constexpr int64_t REJOIN_FOR_MS = 10 * 60'000;
// Checks of either side waiting for the other's.
constexpr std::size_t MAX_CHECKS_KEPT = 256;
