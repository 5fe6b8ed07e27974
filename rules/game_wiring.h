#pragma once

#include "sim/window.h"

// How the game is connected to whatever window it runs in; the main window
// and the replay driver both wire themselves through here.

using TickHandler = void (*)();
// What each timer runs at its tick: the simulation, the supervisor, the banner.
TickHandler tick_handler(TimerId t);
