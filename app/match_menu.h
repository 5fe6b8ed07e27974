#pragma once

#include <QObject>
#include <QString>

#include "app/match_hooks.h"
#include "app/match_watch.h"

class QAction;
class QMenuBar;
class QWidget;

// The "Match" menu of the main window: the live match saved as a file, a
// match file opened in its place, and the live match watched again from
// its start.
class MatchMenu : public QObject {
    Q_OBJECT

public:
    // Adds the menu to `bar`; dialogs and message boxes belong to `window`.
    MatchMenu(QMenuBar& bar, QWidget& window, MatchHooks hooks);

    // Opens the match file at `path` in place of the live match. A file that
    // cannot be opened is told in a message box that names it, the line and
    // the reason, and the table stays as it was. True when it opened.
    bool open_file(const QString& path);
    // Writes the live match to `path`, whole or not at all; a failure is told
    // in a message box. True when it was written.
    bool save_file(const QString& path);

    MatchWatch& watch() { return watch_; }
    // While a network match lasts its table is the match's: no file replaces
    // it and no watch plays over it (one under way stops).
    void allow_replacing_the_table(bool allowed);

private:
    void choose_file_to_save();
    void choose_file_to_open();
    void tell(const QString& message);

    QWidget& window_;
    MatchHooks hooks_;
    QAction* open_ = nullptr;
    QAction* watch_from_start_ = nullptr;
    MatchWatch watch_;
    QString folder_;  // of the last file saved or opened
};
