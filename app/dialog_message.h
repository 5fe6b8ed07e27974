#pragma once

#include <QLabel>

// The lines under a dialog's fields that say what happens or went wrong,
// wrapped to the dialog's width. A word longer than a line (a long address)
// is cut in its middle, so that the dialog stays on the screen; the whole
// text is then its tooltip.
class DialogMessage : public QLabel {
    Q_OBJECT

public:
    DialogMessage();

    void say(const QString& text);
};
