#pragma once

#include <iosfwd>

#include "replay/run_failure.h"

class ReplayWindow;

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
