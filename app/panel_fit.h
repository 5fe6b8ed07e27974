#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QLabel;

// Shows `text`, one line or two, in a player panel whose usual place is
// `home`. A panel as wide as its text is needs widens about its centre, up
// to `max_width`, and grows downwards by a line for a second line; only a
// line wider still is cut short with an ellipsis, and the whole text is the
// panel's tooltip. Text that fits leaves the panel in its usual place.
void fit_panel_text(QLabel& panel, const QRect& home, int max_width, const QString& text);

// The status panel's bottom lies under the window's edge: two lines start at its top.
inline constexpr Qt::Alignment STATUS_TWO_LINES = Qt::AlignHCenter | Qt::AlignTop;

// Shows in the status panel, wrapped, the first of `forms` (one or more: the same said
// more and more briefly) that fits its two lines; when none does, the last
// cut in its middle. Anything shorter than the first has the first as its tooltip.
// One line sits in the middle of the panel, as the game's own status does.
void fit_status_text(QLabel& panel, const QStringList& forms);
