#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sim/table_geometry.h"

// One line of a match script, as the replay driver reads it.
enum class CommandKind {
    nothing,   // a blank line or a comment
    move,      // move X Y: the mouse moves over the drawing area
    press,     // press X Y: a mouse press on the drawing area
    wait,      // wait MS: virtual time goes on, the timers tick
    settle,    // until the balls rest and the last shot is judged
    shot,      // shot X Y: settle, move, press, settle
    undo,      // the undo button
    new_game,  // new: the menu's "New game"
    state,     // print the state line
    pixels,    // print the pixels line
    computer,  // computer LEVEL: the computer plays the current player's turn
    praise,    // praise R: the praise generator's state, as a saved match starts from it
    host,      // host PORT NAME: host a network match on 127.0.0.1:PORT
    join,      // join PORT NAME: join the network match hosted on 127.0.0.1:PORT
    host_relay,  // host-relay RELAY NAME: host over the relay, print the code
    join_relay,  // join-relay RELAY CODE NAME: join the match of CODE over the relay
    journal,   // journal PATH: keep the match hosted next in a journal at PATH
    host_resume,  // host-resume PATH: host again the match whose journal is PATH
    watch,     // watch PORT NAME: watch the network match hosted on 127.0.0.1:PORT
    watch_relay,  // watch-relay RELAY CODE NAME: watch the match of the watch code CODE over the relay
    await,     // the other side's next numbered input of a network match
    leave,     // leave the network match
    score,     // print the series: the racks each player has won
    invalid,   // not a command; `error` says why
};

struct ScriptCommand {
    CommandKind kind = CommandKind::nothing;
    int x = 0;  // drawing-area pixels
    int y = 0;
    int milliseconds = 0;
    int level = 0;  // 1 easy, 2 medium, 3 hard, 4 expert
    uint32_t praise_state = 0;
    int port = 0;
    // The relay of a relay command: the port of the plain relay at
    // 127.0.0.1, or an address as a player types it, one word.
    std::string relay;
    std::string name;  // a player's name (`is_player_name`)
    std::string code;  // a match code as a player typed it, one word
    std::string path;  // a file's path: the rest of the line
    std::string error;
};

// A position lies in the drawing area; one wait lasts at most an hour.
constexpr int SCRIPT_MAX_X = DRAWING_AREA_WIDTH - 1;
constexpr int SCRIPT_MAX_Y = DRAWING_AREA_HEIGHT - 1;
constexpr int SCRIPT_MAX_WAIT_MS = 3'600'000;
constexpr int SCRIPT_MAX_LEVEL = 4;

// Reads one line (without its line break). Words are separated by blanks;
// numbers are plain decimal integers within their range; a name is the rest
// of the line, without blanks at either end.
ScriptCommand parse_script_line(std::string_view line);

// The first line of a script without the UTF-8 byte-order mark that some
// editors put at the very start of a file.
std::string_view without_byte_order_mark(std::string_view first_line);
