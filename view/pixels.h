#pragma once

#include <QImage>
#include <QRect>

// Raw pixel work on 32-bit images (Format_RGB32), clipped to both images so a
// ball near the edge of the table never reads or writes outside them.

// Copies `area` of `from` into `to` with its top-left corner at `at`.
// Returns the rectangle of `to` that was written (empty when nothing was).
QRect copy_pixels(const QImage& from, const QRect& area, QImage& to, QPoint at);

// Copies `square` of `from` to the same place in `to`. A ball's square that
// lies wholly inside both images takes a short way.
void copy_square(const QImage& from, const QRect& square, QImage& to);

// Fills the ellipse inscribed in `square`: every pixel whose centre lies
// strictly inside it, so the disc never leaves the square. A ball's disc
// wholly inside the image is filled from a table of its rows.
void fill_disc(QImage& image, const QRect& square, QRgb colour);
