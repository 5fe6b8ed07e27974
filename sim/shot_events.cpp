#include "sim/shot_events.h"

#include <cmath>

#include "sim/variables.h"
#include "sim/window.h"

namespace {

// How fast the two centres close along the line between them, in pixels a step.
float closing_speed(const BallRecord& a, const BallRecord& b)
{
    const double dx = double{b.x} - a.x;
    const double dy = double{b.y} - a.y;
    const double distance = std::hypot(dx, dy);
    if (distance == 0) return 0;
    const double closing = ((double{a.vx} - b.vx) * dx + (double{a.vy} - b.vy) * dy) / distance;
    return static_cast<float>(std::fabs(closing));
}

}  // namespace

void report_meeting(int i, int j)
{
    Contacts& contacts = game.contacts;
    const uint32_t bit = 1u << j;
    const bool in_touch = ((contacts.now[i] | contacts.before[i]) & bit) != 0;
    contacts.now[i] |= bit;
    contacts.any_now = true;
    if (in_touch) return;
    const float speed = closing_speed(game.balls[i], game.balls[j]);
    window().table_event({TableEventKind::balls_met, i, j, speed});
}

void report_balls_touched(int i, int j)
{
    if (game.recording.balls_touched) game.recording.balls_touched(i, j);
}

void report_ball_potted(int i, float speed, bool newly)
{
    if (game.recording.ball_potted) game.recording.ball_potted(i);
    if (newly) window().table_event({TableEventKind::pocket, i, 0, speed});
}

void report_cushion(int i, float speed)
{
    window().table_event({TableEventKind::cushion, i, 0, speed});
}

void end_contacts_of_iteration(Contacts& contacts)
{
    if (!contacts.any_now && !contacts.any_before) return;
    contacts.before = contacts.now;
    contacts.any_before = contacts.any_now;
    contacts.now = {};
    contacts.any_now = false;
}
