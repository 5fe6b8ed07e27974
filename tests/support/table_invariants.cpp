#include "tests/support/table_invariants.h"

#include <cmath>

#include "sim/ball_drawing.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "view/colours.h"
#include "view/pixels.h"
#include "view/table_view.h"

namespace {

// A centre on or beyond one of these lines has gone into a pocket.
constexpr float CAPTURE_LEFT_X = 36;
constexpr float CAPTURE_RIGHT_X = 515;
constexpr float CAPTURE_TOP_Y = 23;
constexpr float CAPTURE_BOTTOM_Y = 277;

std::string ball_text(int i)
{
    const BallRecord& b = game.balls[i];
    return "ball " + std::to_string(i) + " at (" + std::to_string(b.x) + ", " + std::to_string(b.y)
        + ") moving (" + std::to_string(b.vx) + ", " + std::to_string(b.vy) + ") in state "
        + std::to_string(b.state);
}

bool finite(const BallRecord& b)
{
    for (float v : {b.x, b.y, b.prev_x, b.prev_y, b.vx, b.vy, b.shot_x, b.shot_y})
        if (!std::isfinite(v)) return false;
    return true;
}

bool inside_capture_lines(const BallRecord& b)
{
    return b.x > CAPTURE_LEFT_X && b.x < CAPTURE_RIGHT_X && b.y > CAPTURE_TOP_Y && b.y < CAPTURE_BOTTOM_Y;
}

void check_ball(int i, bool may_lie_beyond_capture_line, std::vector<std::string>& faults)
{
    const BallRecord& b = game.balls[i];
    if (!finite(b)) faults.push_back("not a finite number: " + ball_text(i));
    if (b.state != BALL_OFF_TABLE && b.state != BALL_ON_TABLE) faults.push_back("half-potted: " + ball_text(i));
    if (b.state == BALL_ON_TABLE && !may_lie_beyond_capture_line && !inside_capture_lines(b))
        faults.push_back("on the table beyond a capture line: " + ball_text(i));
}

// The drawing area's view of the table picture's rectangle (the shipped
// picture lies wholly inside the area).
QImage table_part_of_screen(const TableView& table)
{
    return table.surface().copy(QRect(QPoint(DRAW_OFFSET_X, DRAW_OFFSET_Y), table.back_buffer().size()));
}

void draw_disc(QImage& picture, int i)
{
    const BallRecord& b = game.balls[i];
    if (b.state == BALL_OFF_TABLE) return;
    const Rect s = ball_square(b.x, b.y);
    fill_disc(picture, QRect(s.left, s.top, s.width(), s.height()), to_qrgb(b.colour));
}

QImage bare_table_with_balls(const TableView& table, DrawingOrder order)
{
    QImage expected = table.table_picture().copy();
    const int first = order == DrawingOrder::cue_ball_last ? CUE_BALL + 1 : CUE_BALL;
    for (int i = first; i <= BALL_COUNT; ++i) draw_disc(expected, i);
    if (order == DrawingOrder::cue_ball_last) draw_disc(expected, CUE_BALL);
    return expected;
}

// Where two pictures of one size differ, as "left, top to right, bottom".
std::string differing_area(const QImage& a, const QImage& b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) area |= QRect(x, y, 1, 1);
    return std::to_string(area.left()) + ", " + std::to_string(area.top()) + " to "
        + std::to_string(area.right()) + ", " + std::to_string(area.bottom());
}

}  // namespace

std::vector<std::string> faults_between_iterations()
{
    std::vector<std::string> faults;
    // The last ball to advance may have crossed a line in its own advance;
    // the first advance of the next iteration takes it.
    for (int i = 1; i <= BALL_COUNT; ++i) check_ball(i, i == BALL_COUNT, faults);
    return faults;
}

std::vector<std::string> faults_at_rest()
{
    std::vector<std::string> faults;
    for (int i = 1; i <= BALL_COUNT; ++i) check_ball(i, false, faults);
    if (!balls_at_rest()) faults.push_back("a ball still moves after the shot");
    if (game.current_player != 1 && game.current_player != 2)
        faults.push_back("no player to shoot: current player " + std::to_string(game.current_player));
    if (game.outcome != 0) faults.push_back("the judged shot left outcome " + std::to_string(game.outcome));
    if (!game.shot_evaluated) faults.push_back("the shot came to rest unjudged");
    return faults;
}

std::vector<std::string> faults_in_pictures(const TableView& table, DrawingOrder order)
{
    std::vector<std::string> faults;
    const QImage expected = bare_table_with_balls(table, order);
    if (table.back_buffer() != expected)
        faults.push_back("the back buffer is not the bare table with the balls drawn on it: they differ in "
                         + differing_area(table.back_buffer(), expected));
    const QImage shown = table_part_of_screen(table);
    if (shown != table.back_buffer())
        faults.push_back("the drawing area does not show the back buffer: they differ in "
                         + differing_area(shown, table.back_buffer()));
    return faults;
}
