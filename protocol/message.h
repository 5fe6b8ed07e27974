#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The lines of a network match, each read into plain data whose every value
// is within its range, and written back.

enum class InputKind : uint8_t { shot, place, undo, new_game };

// What changes the game: a shot or a placement at (x, y) of the drawing area,
// the undo button, the menu's "New game".
struct Input {
    InputKind kind = InputKind::shot;
    int x = 0;
    int y = 0;
    bool operator==(const Input&) const = default;
};

enum class ByeReason : uint8_t { leaving, version, busy, malformed, timeout, replaced, full };

// `hello V NAME`: a guest opens. The name of a version other than ours is not read.
struct Hello {
    uint32_t version = 0;
    std::string name;
    bool operator==(const Hello&) const = default;
};
// `again V TOKEN NAME`: a guest takes back the seat it held, over a new
// connection. The token and name of a version other than ours are not read.
struct Again {
    uint32_t version = 0;
    std::string token;
    std::string name;
    bool operator==(const Again&) const = default;
};
// `watch V NAME`: someone opens to watch the match, never to play in it.
struct Watch {
    uint32_t version = 0;
    std::string name;
    bool operator==(const Watch&) const = default;
};
// `welcome V NAME`: the host takes the guest.
struct Welcome {
    uint32_t version = 0;
    std::string name;
    bool operator==(const Welcome&) const = default;
};
// `seat TOKEN`: the seat's token, 16 lower-case hex digits, after welcome.
struct SeatToken {
    std::string token;
    bool operator==(const SeatToken&) const = default;
};
// `guest NAME` and `guest-left`: a watcher hears who holds the guest's seat.
struct GuestSeated {
    std::string name;
    bool operator==(const GuestSeated&) const = default;
};
struct GuestLeft {
    bool operator==(const GuestLeft&) const = default;
};
struct Bye {
    ByeReason reason = ByeReason::leaving;
    bool operator==(const Bye&) const = default;
};
// `score A B`: the racks player 1 and player 2 have won since the match began.
struct Score {
    uint32_t player1 = 0;
    uint32_t player2 = 0;
    bool operator==(const Score&) const = default;
};
// `match R`: the praise generator when the current rack was set up.
struct MatchStart {
    uint32_t praise = 0;
    bool operator==(const MatchStart&) const = default;
};
// `ready N`: the match so far has been sent; the next input is N + 1.
struct Ready {
    uint32_t last_number = 0;
    bool operator==(const Ready&) const = default;
};
// `N shot X Y` and the like: an input as the host numbered it.
struct NumberedInput {
    uint32_t number = 0;
    Input input;
    bool operator==(const NumberedInput&) const = default;
};
// `shot X Y` and the like: a guest's input, for the host to judge.
struct InputRequest {
    Input input;
    bool operator==(const InputRequest&) const = default;
};
// `refused WORD`: the host did not take an input of that kind.
struct Refused {
    InputKind kind = InputKind::shot;
    bool operator==(const Refused&) const = default;
};
struct NewGameAsk {  // new?
    bool operator==(const NewGameAsk&) const = default;
};
struct NewGameAgree {  // new!
    bool operator==(const NewGameAgree&) const = default;
};
struct Aim {
    int x = 0;
    int y = 0;
    bool operator==(const Aim&) const = default;
};
struct Ping {
    bool operator==(const Ping&) const = default;
};
// `check N H`: the table's hash, 16 lower-case hex digits, once input N has settled.
struct Check {
    uint32_t number = 0;
    std::string hash;
    bool operator==(const Check&) const = default;
};
struct SyncAsk {  // sync?
    bool operator==(const SyncAsk&) const = default;
};
// `sync R STATE`: the host's praise generator and state line; the state is read by its own reader.
struct Sync {
    uint32_t praise = 0;
    std::string state;
    bool operator==(const Sync&) const = default;
};

using Message = std::variant<Hello, Again, Watch, Welcome, SeatToken, GuestSeated, GuestLeft, Bye, Score, MatchStart,
                             Ready, NumberedInput, InputRequest, Refused, NewGameAsk, NewGameAgree, Aim, Ping, Check,
                             SyncAsk, Sync>;

// One line without its end. Nothing when it is not one of the protocol's
// lines, written exactly (one space between words, numbers without sign or
// leading zero), with every number within its range and every name a player's name.
std::optional<Message> parse_message(std::string_view line);
// The line for `message`, without its end.
std::string format_message(const Message& message);

// "shot", "place", "undo" or "new".
std::string_view input_word(InputKind kind);
// "shot X Y", "place X Y", "undo" or "new".
std::string input_text(const Input& input);

// `corvenne-host 1 PORT NAME`: a waiting host's datagram on the local network.
struct HostAnnouncement {
    uint16_t port = 0;
    std::string name;
    bool operator==(const HostAnnouncement&) const = default;
};

// Nothing for a datagram of another version or one that is not an announcement.
std::optional<HostAnnouncement> parse_announcement(std::string_view datagram);
std::string format_announcement(const HostAnnouncement& announcement);
