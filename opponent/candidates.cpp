#include "opponent/candidates.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/pockets.h"
#include "sim/table_geometry.h"
#include "input/aim.h"
#include "input/placement.h"

namespace {

// Beyond full strength the distance no longer counts, so the mouse goes
// farther out where whole pixels give a finer angle.
constexpr double FULL_STRENGTH_DISTANCE = 240;
// The computer keeps a pixel more from every other ball than the rule asks,
// so that it never puts the cue ball back all but touching one.
constexpr float PLACEMENT_MARGIN = 1;

bool on_drawing_area(MousePoint p)
{
    return p.x >= 0 && p.x < DRAWING_AREA_WIDTH && p.y >= 0 && p.y < DRAWING_AREA_HEIGHT;
}

double length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

std::optional<MousePoint> mouse_at(Point cue, double ux, double uy, double distance)
{
    const auto X = static_cast<int>(std::lround(cue.x + DRAW_OFFSET_X - ux * distance));
    const auto Y = static_cast<int>(std::lround(cue.y + DRAW_OFFSET_Y - uy * distance));
    const MousePoint p{X, Y};
    if (!on_drawing_area(p)) return std::nullopt;
    return p;
}

void add(std::vector<MousePoint>& aims, std::optional<MousePoint> aim)
{
    if (aim && std::find(aims.begin(), aims.end(), *aim) == aims.end()) aims.push_back(*aim);
}

void add_at_strengths(std::vector<MousePoint>& aims, Point cue, Point towards, const std::vector<double>& strengths)
{
    for (double s : strengths) add(aims, mouse_for(cue, towards.x - cue.x, towards.y - cue.y, s));
}

}  // namespace

std::optional<MousePoint> mouse_for(Point cue, double dx, double dy, double strength)
{
    const double d = length(dx, dy);
    if (d == 0) return std::nullopt;
    const double ux = dx / d, uy = dy / d;
    if (strength >= FULL_STRENGTH) {
        if (auto far = mouse_at(cue, ux, uy, FULL_STRENGTH_DISTANCE)) return far;
    }
    return mouse_at(cue, ux, uy, distance_for_strength(strength));
}

std::optional<MousePoint> mouse_nearest(Point cue, double dx, double dy, double strength)
{
    const std::optional<MousePoint> rounded = mouse_for(cue, dx, dy, strength);
    if (!rounded) return std::nullopt;
    // Off the line by a pixel turns a short shot by a lot; along it, a
    // pixel changes the strength by a sixth of a unit.
    constexpr double ALONG_WEIGHT = 0.05;
    const double d = length(dx, dy);
    const double ux = dx / d, uy = dy / d;
    const double cx = cue.x + DRAW_OFFSET_X, cy = cue.y + DRAW_OFFSET_Y;
    const double wanted = length(rounded->x - cx, rounded->y - cy);
    auto cost = [&](MousePoint p) {
        const double along = (cx - p.x) * ux + (cy - p.y) * uy;
        const double across = (cx - p.x) * uy - (cy - p.y) * ux;
        return across * across + ALONG_WEIGHT * (along - wanted) * (along - wanted);
    };
    MousePoint best = *rounded;
    for (MousePoint p : neighbours(*rounded, 2))
        if (cost(p) < cost(best)) best = p;
    return best;
}

std::vector<MousePoint> pot_aims(const GameState& table, Point cue, const std::vector<double>& strengths)
{
    std::vector<MousePoint> aims;
    for (int target : target_balls(table, table.current_player)) {
        const Point t{table.balls[target].x, table.balls[target].y};
        for (const Pocket& pocket : POCKETS) {
            const Point p{double(pocket.x), double(pocket.y)};
            if (pot_ease(table, cue, target, p) <= 0) continue;
            add_at_strengths(aims, cue, ghost_ball(t, p), strengths);
        }
    }
    return aims;
}

std::vector<MousePoint> safety_aims(const GameState& table, Point cue, int directions,
                                    const std::vector<double>& strengths)
{
    std::vector<MousePoint> aims;
    for (int target : target_balls(table, table.current_player))
        add_at_strengths(aims, cue, Point{table.balls[target].x, table.balls[target].y}, strengths);
    for (int k = 0; k < directions; ++k) {
        const double angle = 2 * std::numbers::pi * k / directions;
        add_at_strengths(aims, cue, Point{cue.x + std::cos(angle), cue.y + std::sin(angle)}, strengths);
    }
    return aims;
}

std::vector<MousePoint> neighbours(MousePoint aim, int reach)
{
    std::vector<MousePoint> around;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const MousePoint p{aim.x + dx, aim.y + dy};
            if ((dx || dy) && on_drawing_area(p)) around.push_back(p);
        }
    return around;
}

std::vector<Point> placement_spots(const GameState& table, int step, int count)
{
    struct Spot {
        Point at;
        double ease;
    };
    std::vector<Spot> spots;
    for (int y = PLACEMENT_TOP_EXCLUSIVE + 1; y < PLACEMENT_BOTTOM_EXCLUSIVE; y += step)
        for (int x = PLACEMENT_LEFT_EXCLUSIVE + 1; x <= PLACEMENT_RIGHT; x += step) {
            if (!cue_ball_fits(table, x, y, PLACEMENT_MARGIN)) continue;
            const Point at{double(x), double(y)};
            GameState placed = table;
            placed.balls[CUE_BALL].state = BALL_ON_TABLE;
            placed.balls[CUE_BALL].x = static_cast<float>(x);
            placed.balls[CUE_BALL].y = static_cast<float>(y);
            spots.push_back({at, best_pot_ease(placed, table.current_player)});
        }
    std::stable_sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.ease > b.ease; });
    std::vector<Point> best;
    for (size_t k = 0; k < spots.size() && static_cast<int>(best.size()) < count; ++k) best.push_back(spots[k].at);
    return best;
}

MousePoint press_for_spot(Point spot)
{
    return MousePoint{static_cast<int>(spot.x) + DRAW_OFFSET_X, static_cast<int>(spot.y) + DRAW_OFFSET_Y};
}
