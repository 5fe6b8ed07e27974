#pragma once

#include <QImage>
#include <QRect>

// Raw pixel work on 32-bit images (Format_RGB32), clipped to both images so a
// ball near the edge of the table never reads or writes outside them.

// Copies `area` of `from` into `to` with its top-left corner at `at`.
// Returns the rectangle of `to` that was written (empty when nothing was).
QRect copy_pixels(const QImage& from, const QRect& area, QImage& to, QPoint at);

// Fills the ellipse inscribed in `square`: every pixel whose centre lies
// strictly inside it, so the disc never leaves the square.
void fill_disc(QImage& image, const QRect& square, QRgb colour);
