#include "tools/table_outline.h"

#include <cmath>

#include <QLineF>

#include "sim/table_geometry.h"

namespace {

// The lines at which the ball's centre turns back.
constexpr double CENTRE_LEFT = LEFT_CUSHION_X, CENTRE_RIGHT = RIGHT_CUSHION_X;
constexpr double CENTRE_TOP = TOP_CUSHION_Y, CENTRE_BOTTOM = BOTTOM_CUSHION_Y;
constexpr double LONG_START = LONG_CUSHION_START_X, LONG_END = LONG_CUSHION_END_X;
constexpr double GAP_LEFT = MIDDLE_GAP_LEFT_X, GAP_RIGHT = MIDDLE_GAP_RIGHT_X;
constexpr double SIDE_START = SIDE_CUSHION_START_Y, SIDE_END = SIDE_CUSHION_END_Y;
constexpr double CENTRE_THROAT_LEFT = THROAT_LEFT_X, CENTRE_THROAT_RIGHT = THROAT_RIGHT_X;

constexpr double R = BALL_RADIUS;
// A 45° jaw edge lies one ball radius from its centre line, measured square to
// it: R·√2 along either axis.
const double JAW = R * std::sqrt(2.0);

// The physical edges.
constexpr double FACE_LEFT = CENTRE_LEFT - R, FACE_RIGHT = CENTRE_RIGHT + R;
constexpr double FACE_TOP = CENTRE_TOP - R, FACE_BOTTOM = CENTRE_BOTTOM + R;
constexpr double THROAT_LEFT = CENTRE_THROAT_LEFT - R, THROAT_RIGHT = CENTRE_THROAT_RIGHT + R;
constexpr double CUSHION_DEPTH = 10;
constexpr double RAIL_LEFT = FACE_LEFT - CUSHION_DEPTH, RAIL_RIGHT = FACE_RIGHT + CUSHION_DEPTH;
constexpr double RAIL_TOP = FACE_TOP - CUSHION_DEPTH, RAIL_BOTTOM = FACE_BOTTOM + CUSHION_DEPTH;

constexpr double CORNER_POCKET_RADIUS = 15;
constexpr double MIDDLE_POCKET_RADIUS = (THROAT_RIGHT - THROAT_LEFT) / 2;

// Points on the 45° lines x + y = sum and x − y = difference.
QPointF sum_line_at_y(double sum, double y) { return {sum - y, y}; }
QPointF sum_line_at_x(double sum, double x) { return {x, sum - x}; }
QPointF difference_line_at_y(double difference, double y) { return {difference + y, y}; }
QPointF difference_line_at_x(double difference, double x) { return {x, x - difference}; }

// Each jaw edge runs from the end of its cushion's face (p1) back to the
// rail or, beside a middle pocket, to the throat wall (p2).
struct CornerPocket {
    QPointF centre;
    QLineF long_jaw;  // on the end of a top or bottom cushion
    QLineF side_jaw;  // on the end of a left or right cushion
    QPointF rail_corner;
};

struct MiddlePocket {
    QPointF centre;
    QLineF left_jaw;
    QLineF right_jaw;
};

// Jaw edges of the corner pockets, from the face back to the rail: across the
// rows between them for a top or bottom cushion, across the columns for a side one.
QLineF sum_jaw_across_rows(double sum, double face_y, double rail_y)
{
    return {sum_line_at_y(sum, face_y), sum_line_at_y(sum, rail_y)};
}
QLineF difference_jaw_across_rows(double difference, double face_y, double rail_y)
{
    return {difference_line_at_y(difference, face_y), difference_line_at_y(difference, rail_y)};
}
QLineF sum_jaw_across_columns(double sum, double face_x, double rail_x)
{
    return {sum_line_at_x(sum, face_x), sum_line_at_x(sum, rail_x)};
}
QLineF difference_jaw_across_columns(double difference, double face_x, double rail_x)
{
    return {difference_line_at_x(difference, face_x), difference_line_at_x(difference, rail_x)};
}

// Each jaw's centre line passes through its cushion's end; the edge is moved
// by JAW toward the cushion, which raises or lowers the line's constant.
const CornerPocket TOP_LEFT{{POCKET_LEFT_X, POCKET_CORNER_TOP_Y},
                            difference_jaw_across_rows(LONG_START - CENTRE_TOP + JAW, FACE_TOP, RAIL_TOP),
                            difference_jaw_across_columns(CENTRE_LEFT - SIDE_START - JAW, FACE_LEFT, RAIL_LEFT),
                            {RAIL_LEFT, RAIL_TOP}};
const CornerPocket TOP_RIGHT{{POCKET_RIGHT_X, POCKET_CORNER_TOP_Y},
                             sum_jaw_across_rows(LONG_END + CENTRE_TOP - JAW, FACE_TOP, RAIL_TOP),
                             sum_jaw_across_columns(CENTRE_RIGHT + SIDE_START + JAW, FACE_RIGHT, RAIL_RIGHT),
                             {RAIL_RIGHT, RAIL_TOP}};
const CornerPocket BOTTOM_LEFT{{POCKET_LEFT_X, POCKET_CORNER_BOTTOM_Y},
                               sum_jaw_across_rows(LONG_START + CENTRE_BOTTOM + JAW, FACE_BOTTOM, RAIL_BOTTOM),
                               sum_jaw_across_columns(CENTRE_LEFT + SIDE_END - JAW, FACE_LEFT, RAIL_LEFT),
                               {RAIL_LEFT, RAIL_BOTTOM}};
const CornerPocket BOTTOM_RIGHT{{POCKET_RIGHT_X, POCKET_CORNER_BOTTOM_Y},
                                difference_jaw_across_rows(LONG_END - CENTRE_BOTTOM - JAW, FACE_BOTTOM, RAIL_BOTTOM),
                                difference_jaw_across_columns(CENTRE_RIGHT - SIDE_END + JAW, FACE_RIGHT, RAIL_RIGHT),
                                {RAIL_RIGHT, RAIL_BOTTOM}};

// The middle pockets' jaws run from the face back to the throat walls.
constexpr double TOP_LEFT_JAW = GAP_LEFT + CENTRE_TOP, TOP_RIGHT_JAW = GAP_RIGHT - CENTRE_TOP;
constexpr double BOTTOM_LEFT_JAW = GAP_LEFT - CENTRE_BOTTOM, BOTTOM_RIGHT_JAW = GAP_RIGHT + CENTRE_BOTTOM;
const MiddlePocket TOP_MIDDLE{
    {POCKET_MIDDLE_X, POCKET_MIDDLE_TOP_Y},
    {sum_line_at_y(TOP_LEFT_JAW - JAW, FACE_TOP), sum_line_at_x(TOP_LEFT_JAW - JAW, THROAT_LEFT)},
    {difference_line_at_y(TOP_RIGHT_JAW + JAW, FACE_TOP), difference_line_at_x(TOP_RIGHT_JAW + JAW, THROAT_RIGHT)}};
const MiddlePocket BOTTOM_MIDDLE{
    {POCKET_MIDDLE_X, POCKET_MIDDLE_BOTTOM_Y},
    {difference_line_at_y(BOTTOM_LEFT_JAW - JAW, FACE_BOTTOM), difference_line_at_x(BOTTOM_LEFT_JAW - JAW, THROAT_LEFT)},
    {sum_line_at_y(BOTTOM_RIGHT_JAW + JAW, FACE_BOTTOM), sum_line_at_x(BOTTOM_RIGHT_JAW + JAW, THROAT_RIGHT)}};

QPolygonF long_cushion(const CornerPocket& corner, const QLineF& middle_jaw, double throat_x, double rail_y)
{
    return QPolygonF({corner.long_jaw.p1(), middle_jaw.p1(), middle_jaw.p2(), {throat_x, rail_y}, corner.long_jaw.p2()});
}

QPolygonF side_cushion(const CornerPocket& top, const CornerPocket& bottom)
{
    return QPolygonF({top.side_jaw.p1(), bottom.side_jaw.p1(), bottom.side_jaw.p2(), top.side_jaw.p2()});
}

QPainterPath disc(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// The jaw edge carried on past the rail, far enough to pass the pocket.
QPointF beyond(const QLineF& jaw)
{
    QLineF longer = jaw;
    longer.setLength(jaw.length() + 3 * CORNER_POCKET_RADIUS);
    return longer.p2();
}

// A round hole round the pocket centre that also reaches the jaw ends, so no
// cloth shows between hole and rail; the jaws, carried on, trim it where the
// pocket centre lies nearer one jaw than the other.
QPainterPath corner_opening(const CornerPocket& pocket)
{
    QPainterPath mouth;
    mouth.addPolygon(QPolygonF({pocket.centre, pocket.long_jaw.p2(), pocket.rail_corner, pocket.side_jaw.p2()}));
    QPainterPath channel;
    channel.addPolygon(QPolygonF({pocket.long_jaw.p1(), beyond(pocket.long_jaw), beyond(pocket.side_jaw), pocket.side_jaw.p1()}));
    return disc(pocket.centre, CORNER_POCKET_RADIUS).united(mouth).intersected(channel);
}

// A round hole as wide as the throat, with the throat walls running straight
// from the jaws to the pocket centre.
QPainterPath middle_opening(const MiddlePocket& pocket)
{
    QPainterPath throat;
    throat.addRect(QRectF(pocket.left_jaw.p2(), QPointF(pocket.right_jaw.p2().x(), pocket.centre.y())).normalized());
    return disc(pocket.centre, MIDDLE_POCKET_RADIUS).united(throat);
}

}  // namespace

QRectF inside_rail()
{
    return QRectF(QPointF(RAIL_LEFT, RAIL_TOP), QPointF(RAIL_RIGHT, RAIL_BOTTOM));
}

std::vector<QPolygonF> cushion_outlines()
{
    return {long_cushion(TOP_LEFT, TOP_MIDDLE.left_jaw, THROAT_LEFT, RAIL_TOP),
            long_cushion(TOP_RIGHT, TOP_MIDDLE.right_jaw, THROAT_RIGHT, RAIL_TOP),
            long_cushion(BOTTOM_LEFT, BOTTOM_MIDDLE.left_jaw, THROAT_LEFT, RAIL_BOTTOM),
            long_cushion(BOTTOM_RIGHT, BOTTOM_MIDDLE.right_jaw, THROAT_RIGHT, RAIL_BOTTOM),
            side_cushion(TOP_LEFT, BOTTOM_LEFT),
            side_cushion(TOP_RIGHT, BOTTOM_RIGHT)};
}

std::vector<QPainterPath> pocket_openings()
{
    return {corner_opening(TOP_LEFT), middle_opening(TOP_MIDDLE), corner_opening(TOP_RIGHT),
            corner_opening(BOTTOM_LEFT), middle_opening(BOTTOM_MIDDLE), corner_opening(BOTTOM_RIGHT)};
}

// At the quarter points between pocket centres along each rail.
std::vector<QPointF> sight_positions()
{
    const double top = RAIL_TOP / 2, bottom = (RAIL_BOTTOM + TABLE_HEIGHT) / 2;
    const double left = RAIL_LEFT / 2, right = (RAIL_RIGHT + TABLE_WIDTH) / 2;
    const double corner_x = TOP_LEFT.centre.x(), middle_x = TOP_MIDDLE.centre.x(), far_x = TOP_RIGHT.centre.x();
    const double top_y = TOP_LEFT.centre.y(), bottom_y = BOTTOM_LEFT.centre.y();
    std::vector<QPointF> sights;
    for (int quarter = 1; quarter <= 3; ++quarter) {
        const double part = quarter / 4.0;
        for (double x : {corner_x + (middle_x - corner_x) * part, middle_x + (far_x - middle_x) * part}) {
            sights.emplace_back(x, top);
            sights.emplace_back(x, bottom);
        }
        sights.emplace_back(left, top_y + (bottom_y - top_y) * part);
        sights.emplace_back(right, top_y + (bottom_y - top_y) * part);
    }
    return sights;
}
