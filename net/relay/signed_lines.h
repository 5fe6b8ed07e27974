#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>

#include "protocol/protocol_limits.h"
#include "net/relay/relay_keys.h"

// One direction of one connection on the relay, as both ends sign and check
// it: every line travels as "S MAC LINE", S the sender's count of lines on
// the topic and MAC the start of an HMAC-SHA256 over the side, the
// connection, S and the line.
struct RelayChannel {
    QByteArray key;
    RelaySide side;
    QByteArray connection;
};

// The longest message a line can make: its count, its MAC, the line.
inline constexpr qsizetype MAX_SIGNED_LINE_BYTES = 64 + static_cast<qsizetype>(MAX_LINE_BYTES);

// The 16 hex digits that sign line number `count` of a channel.
QByteArray relay_line_mac(const RelayChannel& channel, uint64_t count, const std::string& line);

// A message's parts, before its signature is checked.
struct SignedLine {
    uint64_t count;
    QByteArray mac;
    std::string line;
};
std::optional<SignedLine> read_signed_line(const QByteArray& payload);

// Whether a message on one of the match's topics is signed with its key, for
// that topic. Anything else is not from the match, whoever sent it.
bool signed_for_match(const RelayKeys& keys, const QByteArray& topic, const QByteArray& payload);

// The sending end: numbers and signs each line.
class LineSigner {
public:
    explicit LineSigner(RelayChannel channel) : channel_(std::move(channel)) {}
    QByteArray sign(const std::string& line);

private:
    RelayChannel channel_;
    uint64_t sent_ = 0;
};

// The receiving end. A message not signed for this channel, or one already
// taken, is not from the match as it stands and changes nothing.
class LineChecker {
public:
    enum class Verdict {
        take,    // the next line
        drop,    // forged, damaged or a repeat: as if it never came
        lost,    // signed, but lines before it never came
        broken,  // signed, but too long or not UTF-8
    };
    struct Result {
        Verdict verdict;
        std::string line;  // when taken
    };

    explicit LineChecker(RelayChannel channel) : channel_(std::move(channel)) {}
    Result check(const QByteArray& payload);

private:
    RelayChannel channel_;
    uint64_t taken_ = 0;
};
