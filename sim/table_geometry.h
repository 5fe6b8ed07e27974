#pragma once

// Where things are on the table, in table pixels: x to the right, y down, from
// the table picture's top-left corner. The physics, the cue-ball placement,
// the replay driver's coordinate limits and the picture generator all read
// their numbers here.

constexpr int BALL_RADIUS = 9;

// The table picture is shown in the drawing area at the draw offset.
constexpr int DRAWING_AREA_WIDTH = 705;
constexpr int DRAWING_AREA_HEIGHT = 384;
constexpr int DRAW_OFFSET_X = 76;
constexpr int DRAW_OFFSET_Y = 41;

// Where the ball's centre turns back off the cushions, the middle pockets'
// throat walls and the ends of the cushions, on which the jaws stand.
constexpr int LEFT_CUSHION_X = 45;
constexpr int LONG_CUSHION_START_X = 53;
constexpr int MIDDLE_GAP_LEFT_X = 255;
constexpr int THROAT_LEFT_X = 267;
constexpr int THROAT_RIGHT_X = 277;
constexpr int THROAT_TOP_Y = 32;
constexpr int THROAT_BOTTOM_Y = 268;
constexpr int MIDDLE_GAP_RIGHT_X = 289;
constexpr int LONG_CUSHION_END_X = 498;
constexpr int RIGHT_CUSHION_X = 505;
constexpr int TOP_CUSHION_Y = 46;
constexpr int SIDE_CUSHION_START_Y = 53;
constexpr int SIDE_CUSHION_END_Y = 250;
constexpr int BOTTOM_CUSHION_Y = 255;

// A centre on or beyond one of these lines has gone into a pocket.
constexpr int CAPTURE_LEFT_X = 36;
constexpr int CAPTURE_RIGHT_X = 515;
constexpr int CAPTURE_TOP_Y = 23;
constexpr int CAPTURE_BOTTOM_Y = 277;

// The pocket centres.
constexpr int POCKET_LEFT_X = 30;
constexpr int POCKET_MIDDLE_X = 272;
constexpr int POCKET_RIGHT_X = 514;
constexpr int POCKET_CORNER_TOP_Y = 30;
constexpr int POCKET_MIDDLE_TOP_Y = 20;
constexpr int POCKET_CORNER_BOTTOM_Y = 270;
constexpr int POCKET_MIDDLE_BOTTOM_Y = 280;

// The left part of the table, where a cue ball in hand goes back: a centre
// more than a ball radius inside x 45, y 45 and y 250, and at most x 154.
constexpr int PLACEMENT_LEFT_EXCLUSIVE = 45 + BALL_RADIUS;
constexpr int PLACEMENT_RIGHT = 154;
constexpr int PLACEMENT_TOP_EXCLUSIVE = 45 + BALL_RADIUS;
constexpr int PLACEMENT_BOTTOM_EXCLUSIVE = 250 - BALL_RADIUS;
