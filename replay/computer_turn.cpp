#include "replay/computer_turn.h"

#include "replay/replay_window.h"
#include "view/mouse.h"

namespace {

std::string json_point(const std::optional<MousePoint>& point)
{
    if (!point) return "null";
    std::string text = "[";
    text += std::to_string(point->x);
    text += ',';
    text += std::to_string(point->y);
    text += ']';
    return text;
}

}  // namespace

std::optional<ComputerShot> play_computer_turn(ReplayWindow& table, ComputerLevel level)
{
    if (game.game_over) return std::nullopt;
    const ComputerShot shot = choose_computer_shot(game, level);
    if (shot.place) PaintBox1MouseDown(shot.place->x, shot.place->y);
    PaintBox1MouseMove(table.view().surface(), shot.aim.x, shot.aim.y);
    PaintBox1MouseDown(shot.aim.x, shot.aim.y);
    return shot;
}

std::string computer_line(ComputerLevel level, const std::optional<ComputerShot>& shot)
{
    const std::optional<MousePoint> place = shot ? shot->place : std::nullopt;
    const std::optional<MousePoint> aim = shot ? std::optional(shot->aim) : std::nullopt;
    std::string line = "{\"computer\":";
    line += std::to_string(static_cast<int>(level));
    line += ",\"place\":";
    line += json_point(place);
    line += ",\"shot\":";
    line += json_point(aim);
    line += '}';
    return line;
}
