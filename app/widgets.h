#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QString>

// Builders for the plain controls of the two windows. Sizes are pixels; font
// sizes are character heights in pixels.

// A font by name, drawn in whole pixels; bold even where the face has only a
// regular bitmap strike. A missing typeface falls back to an installed one.
QFont pixel_font(const QString& family, int pixels, bool bold);

// A picture shown at its natural size from its top-left corner, cut to `geometry`.
QLabel* make_picture(QWidget* parent, const QString& name, const QImage& picture, const QRect& geometry);

// A raised black panel showing one centred line of text.
QLabel* make_panel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font,
                   const QColor& text_colour);

// Places a window in the middle of the screen it is on.
void centre_on_screen(QWidget& window);
