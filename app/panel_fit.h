#pragma once

#include <QRect>
#include <QString>

class QLabel;

// Shows `text`, one line or two, in a player panel whose usual place is
// `home`. A panel as wide as its text is needs widens about its centre, up
// to `max_width`, and grows downwards by a line for a second line; only a
// line wider still is cut short with an ellipsis. Text that fits leaves the
// panel in its usual place.
void fit_panel_text(QLabel& panel, const QRect& home, int max_width, const QString& text);
