#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The table picture read from a BMP file. On failure `picture` is null and
// `error` names the file and says what is wrong with it.
struct TablePictureLoad {
    QImage picture;
    QString error;
};
TablePictureLoad load_table_picture(const QString& path);

// The pictures built into the program, decoded from their embedded JPEG data.
// A damaged picture gives a null image, never an exit.
QImage background_picture();  // 1024 x 700
QImage splash_picture();      // 400 x 292
QIcon window_icon();
