#pragma once

#include <string>

// The driver's exit statuses.
enum ReplayStatus {
    REPLAY_DONE = 0,
    REPLAY_NO_TABLE_PICTURE = 1,
    REPLAY_BAD_SCRIPT = 2,
    REPLAY_NO_REST = 3,
    REPLAY_IO_FAILURE = 4,
    REPLAY_NETWORK_FAILURE = 5,
};

// Why a command stopped the run, and the exit status it ends with.
struct Failure {
    ReplayStatus status;
    std::string message;
};
