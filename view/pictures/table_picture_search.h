#pragma once

#include <QString>
#include <QStringList>

#include "view/pictures/pictures.h"

// Loads the table picture `file` from the first of `folders` that holds it; an
// empty folder name is the working directory, and the file is then named as it
// stands. A file that is there but damaged is reported as it is, without
// looking further. When no folder holds it, the error names every folder
// that was searched.
TablePictureLoad find_table_picture(const QString& file, const QStringList& folders);
