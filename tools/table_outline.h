#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <vector>

// Where the parts of the table lie in the table picture, in table pixels.
// The cushion faces, jaws and throat walls sit one ball radius beyond the
// lines at which the game turns the ball's centre back, so a ball drawn by
// the game touches them exactly when it rebounds.

constexpr int TABLE_WIDTH = 550;
constexpr int TABLE_HEIGHT = 300;

// Everything inside the rail: the cloth and, over it, the cushions.
QRectF inside_rail();
// The six cushions, each cut off at its ends by its jaws.
std::vector<QPolygonF> cushion_outlines();
// The six dark openings of the pockets, bounded by the jaws where they meet them.
std::vector<QPainterPath> pocket_openings();
// The middle of the rail at each diamond sight.
std::vector<QPointF> sight_positions();
