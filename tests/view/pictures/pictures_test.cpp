#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/view/pictures/asset_files.h"
#include "tools/bmp_writer.h"
#include "view/pictures/picture_limits.h"
#include "view/pictures/pictures.h"

namespace {

class TablePictureFile : public testing::Test {
protected:
    QString write(const QString& name, const std::vector<uint8_t>& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return path;
    }

    static std::string error_of(const QString& path) { return load_table_picture(path).error.toStdString(); }

    QTemporaryDir folder;
};

const uint32_t THREE_BY_TWO[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0xFFFFFF, 0x000000};

std::vector<uint8_t> three_by_two_bmp()
{
    return encode_bmp({3, 2, THREE_BY_TWO});
}

}  // namespace

TEST_F(TablePictureFile, AGoodFileLoadsWithItsPixelsInPlace)
{
    const TablePictureLoad load = load_table_picture(write("tavlo2.bmp", three_by_two_bmp()));
    ASSERT_EQ(load.error, QString());
    ASSERT_EQ(load.picture.size(), QSize(3, 2));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(load.picture.pixel(i % 3, i / 3), 0xFF000000u | THREE_BY_TWO[i]) << "pixel " << i;
}

TEST_F(TablePictureFile, AMissingFileIsNamedAsGiven)
{
    const TablePictureLoad load = load_table_picture("tavlo2.bmp-nowhere");
    EXPECT_TRUE(load.picture.isNull());
    EXPECT_EQ(load.error, "tavlo2.bmp-nowhere: the file is missing");
    const QString path = folder.filePath("gone/tavlo2.bmp");
    EXPECT_EQ(load_table_picture(path).error, path + ": the file is missing");
}

// Neither a folder, nor a FIFO without a writer, nor a link to a device holds
// the game up or feeds it bytes without end.
TEST_F(TablePictureFile, OnlyARegularFileIsRead)
{
    const QString path = folder.filePath("tavlo2.bmp");
    const std::function<bool()> make_in_place[] = {
        [&] { return QDir().mkdir(path); },
        [&] { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
        [&] { return QFile::link("/dev/zero", path); },
    };
    for (const auto& make : make_in_place) {
        ASSERT_TRUE(make());
        std::future<TablePictureLoad> load = std::async(std::launch::async, load_table_picture, path);
        if (load.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));  // lets the stuck open go on
            ADD_FAILURE() << "opening a FIFO waited for a writer";
        }
        EXPECT_EQ(load.get().error.toStdString(), (path + " is not a regular file").toStdString());
        ASSERT_TRUE(QDir().rmdir(path) || QFile::remove(path));
    }
}

TEST_F(TablePictureFile, ATailAfterThePixelsIsReadOnlyUpToASmallAllowance)
{
    std::vector<uint8_t> bytes = three_by_two_bmp();
    const size_t picture_size = bytes.size();
    bytes.resize(picture_size + PICTURE_FILE_ALLOWANCE, 0xAB);  // a colour profile, say
    EXPECT_EQ(load_table_picture(write("tail.bmp", bytes)).error, QString());

    bytes.push_back(0xAB);
    EXPECT_EQ(error_of(write("junk.bmp", bytes)),
              (folder.filePath("junk.bmp") + ": the file holds " + QString::number(bytes.size())
               + " bytes, more than a 3 × 2 picture needs (at most " + QString::number(bytes.size() - 1) + ")")
                  .toStdString());
}

// The decoder's tests name every kind of damage, and the window's test one
// found in the pixels; here one found in the header comes back after the
// file's name.
TEST_F(TablePictureFile, ADamagedHeaderIsNamedWithTheDecodersMessage)
{
    EXPECT_EQ(error_of(write("png.bmp", asset_bytes("icon-16.png"))),
              (folder.filePath("png.bmp") + ": not a BMP picture").toStdString());
}

TEST(BuiltInPictures, DecodeAtTheirSizes)
{
    const QImage background = background_picture();
    EXPECT_FALSE(background.isNull());
    EXPECT_EQ(background.size(), QSize(1024, 700));
    const QImage splash = splash_picture();
    EXPECT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(400, 292));
}

TEST(BuiltInPictures, TheIconComesInFourSizes)
{
    const QIcon icon = window_icon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 32, 48, 128}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
        EXPECT_EQ(icon.pixmap(side).size(), QSize(side, side)) << side;
    }
}
