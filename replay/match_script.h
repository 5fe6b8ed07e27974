#pragma once

#include <iosfwd>

class ReplayWindow;

// The driver's exit statuses.
enum ReplayStatus {
    REPLAY_DONE = 0,
    REPLAY_NO_TABLE_PICTURE = 1,
    REPLAY_BAD_SCRIPT = 2,
    REPLAY_NO_REST = 3,
    REPLAY_IO_FAILURE = 4,
    REPLAY_NETWORK_FAILURE = 5,
};

// Lets time pass 100 ms at a time until the simulation timer is off, every
// ball rests, the last shot has been judged and the player may aim. False
// when that has not come after ten minutes of virtual time.
bool settle(ReplayWindow& table);

// Feeds each line of `script` to the game on `table`, which must be the
// attached window, and writes a state line to `states` for every `state`, a
// pixels line for every `pixels` and a computer line for every `computer`,
// each flushed at once. The first line that is not a command, a settle that
// gives up, or a script that cannot be read or lines that cannot be written
// end the run with "line N: ..." on `errors`. A table picture that fails to
// load is told there too, and the run goes on. Returns the exit status.
ReplayStatus play_script(std::istream& script, std::ostream& states, std::ostream& errors,
                         ReplayWindow& table);

// The whole driver: the first rack, as the main window's creation sets it up
// but without its waits, then the script. A table picture that cannot be
// loaded is reported on `errors`.
ReplayStatus run_replay(std::istream& script, std::ostream& states, std::ostream& errors);
