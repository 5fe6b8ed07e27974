#pragma once

#include <QImage>

#include "input/table_input.h"

// The drawing area's mouse handlers. (X, Y) are drawing-area pixels; `screen`
// is the drawing area's surface, on which the cue is drawn, and from which
// the window takes it away when a press shoots.

// While the balls rest, aims from the mouse and redraws the cue. True when it aimed.
bool PaintBox1MouseMove(QImage& screen, int X, int Y);
// Any button: puts the cue ball back when it is off the table, else shoots.
// Says what the press did.
PressEffect PaintBox1MouseDown(int X, int Y);
