// Draws the pictures the game ships and writes them into the folder named on
// the command line (the repository's assets/ folder):
//   tavlo2.bmp, background.jpg, splash.jpg, icon-16.png ... icon-256.png
// The output is the same on every run.

#include <cstdio>

#include <QDir>

#include "tools/picture_drawing.h"
#include "tools/picture_files.h"

namespace {

constexpr int JPEG_QUALITY = 90;

bool write_all(const QDir& folder)
{
    bool written = write_bmp(draw_table(), folder.filePath("tavlo2.bmp"));
    written = write_jpeg(draw_space_scene(), folder.filePath("background.jpg"), JPEG_QUALITY) && written;
    written = write_jpeg(draw_racked_balls(), folder.filePath("splash.jpg"), JPEG_QUALITY) && written;
    for (int side : {16, 32, 48, 64, 128, 256})
        written = write_png(draw_icon(side), folder.filePath(QString("icon-%1.png").arg(side))) && written;
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures ASSETS_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() || !write_all(folder)) {
        std::fprintf(stderr, "make_pictures: could not write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
