#include "replay/replay_window.h"

#include "rules/end_banner.h"
#include "rules/supervisor.h"
#include "sim/step.h"

ReplayWindow::ReplayWindow()
{
    clock_.wire(Timer1, Timer1Timer);
    clock_.wire(Timer2, Timer2Timer);
    clock_.wire(Timer3, Timer3Timer);
}
