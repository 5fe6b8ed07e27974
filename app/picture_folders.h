#pragma once

#include <QStringList>

// Where the game looks for its table picture, in order: the working
// directory (an empty name), so that a picture of the player's own comes
// first; the installed data folder, found from the program's own folder so
// that a moved installation still finds it; and the program's folder, as in
// the build tree.
QStringList game_picture_folders();
