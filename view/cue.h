#pragma once

#include <QImage>
#include <array>

#include "sim/rect.h"

// The cue and the three strength dots are drawn straight onto the drawing
// area's screen, over what the back buffer put there. The pixels they cover
// are saved first, and removing the cue copies them back.

struct CuePoint {
    int x = 0;
    int y = 0;
    bool operator==(const CuePoint&) const = default;
};

// The six points along the cue, from the tip outward, for the cue ball shown
// at (cx, cy) in drawing-area pixels and the current aim.
std::array<CuePoint, 6> cue_points(float cx, float cy);
// The top-left corners of the three dots' squares, nearest the ball first.
std::array<CuePoint, 3> dot_corners(float cx, float cy);
// The area saved under the cue: the cue's bounding box and a 4-pixel margin.
Rect cue_save_rect(const std::array<CuePoint, 6>& points);

// Removes the previous cue (unless the table was redrawn since), saves the
// pixels under the new cue and dots, and draws them.
void draw_cue(QImage& screen, float cx, float cy);
// Copies the saved pixels back; nothing when no cue is drawn.
void remove_cue(QImage& screen);
