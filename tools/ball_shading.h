#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

// A shiny ball of the given colour, lit from the upper left.
void paint_shiny_ball(QPainter& painter, QPointF centre, double radius, QColor colour);
