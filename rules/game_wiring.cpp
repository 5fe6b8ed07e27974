#include "rules/game_wiring.h"

#include "rules/end_banner.h"
#include "rules/supervisor.h"
#include "sim/step.h"

TickHandler tick_handler(TimerId t)
{
    switch (t) {
    case Timer1: return Timer1Timer;
    case Timer2: return Timer2Timer;
    case Timer3: return Timer3Timer;
    }
    return nullptr;
}
