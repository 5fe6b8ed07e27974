#pragma once

#include <string>

#include "replay/match_script.h"

// Why a command stopped the run, and the exit status it ends with.
struct Failure {
    ReplayStatus status;
    std::string message;
};
