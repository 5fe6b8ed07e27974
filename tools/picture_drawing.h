#pragma once

#include <QImage>

// The pictures the game ships, drawn from scratch.
QImage draw_table();            // 550 × 300, the table picture
QImage draw_space_scene();      // 1024 × 700, the main window's background
QImage draw_racked_balls();     // 400 × 292, the splash picture
QImage draw_icon(int side);     // side × side, the window icon
