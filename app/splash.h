#pragma once

#include <QWidget>

// The splash window: the racked balls, borderless and on top, shown while the
// game starts. Closing it keeps it on the screen for two seconds first.
class TForm4 : public QWidget {
    Q_OBJECT

public:
    TForm4();

    // Shows the window and paints it at once, before anything else happens.
    void show_painted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormClose();
};
