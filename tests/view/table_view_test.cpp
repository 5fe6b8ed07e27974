#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "sim/variables.h"
#include "view/table_view.h"

// The table's pixels, reading the shipped table picture from the working directory.
namespace {

Rect square_at(int x, int y)
{
    return Rect{x - BALL_RADIUS, y - BALL_RADIUS, x + BALL_RADIUS, y + BALL_RADIUS};
}

// Bounding box of the pixels where two images of one size differ.
QRect difference(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

class TableViewTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(table.set_up_bitmaps()) << table.picture_error().toStdString(); }

    TableView table;
};

TEST_F(TableViewTest, ADiscFillsTheRoundOfItsSquareAndNothingMore)
{
    table.paint_disc(square_at(200, 150), RED);
    const QImage& drawn = table.back_buffer();
    EXPECT_EQ(difference(drawn, table.table_picture()), QRect(191, 141, 18, 18));
    // Pixel centres within 9 pixels of the ball's centre, row by row from the top.
    const int widths[18] = {6, 10, 12, 14, 16, 16, 18, 18, 18, 18, 18, 18, 16, 16, 14, 12, 10, 6};
    for (int row = 0; row < 18; ++row) {
        int first = -1, count = 0;
        for (int x = 191; x < 209; ++x) {
            if (drawn.pixel(x, 141 + row) != qRgb(255, 0, 0)) continue;
            if (first < 0) first = x;
            ++count;
        }
        EXPECT_EQ(count, widths[row]) << "row " << row;
        EXPECT_EQ(first - 191, (18 - widths[row]) / 2) << "row " << row;  // centred, no gaps
    }
}

TEST_F(TableViewTest, AnErasedBallLeavesTheTableAndChangesReachTheSurfaceAtTheOffset)
{
    table.show_back_buffer();
    const QImage before = table.surface().copy();
    table.paint_disc(square_at(120, 80), YELLOW);
    table.paint_disc(square_at(130, 80), BLACK);
    table.restore_square(square_at(120, 80));
    EXPECT_EQ(difference(table.back_buffer(), table.table_picture()), QRect(129, 71, 10, 18));

    table.show_back_buffer_part(Rect{});
    table.show_back_buffer_part(square_at(130, 80));
    const QRect on_surface(121 + 76, 71 + 41, 18, 18);
    EXPECT_EQ(table.show_pending_parts(), on_surface);
    EXPECT_TRUE(table.show_pending_parts().isEmpty());
    EXPECT_EQ(difference(table.surface(), before), QRect(129 + 76, 71 + 41, 10, 18));
    EXPECT_EQ(table.surface().copy(on_surface), table.back_buffer().copy(121, 71, 18, 18));
}

TEST_F(TableViewTest, CopiesStopAtTheEdgesOfThePictures)
{
    const int w = table.table_picture().width(), h = table.table_picture().height();
    const Rect corner{w - 9, h - 9, w + 9, h + 9};
    table.paint_disc(Rect{-9, -9, 9, 9}, WHITE);
    table.paint_disc(corner, WHITE);
    EXPECT_EQ(table.back_buffer().pixelColor(w - 1, h - 1), QColor(Qt::white));
    table.show_back_buffer_part(corner);
    EXPECT_EQ(table.show_pending_parts(), QRect(w - 9 + 76, h - 9 + 41, 9, 9));
    table.restore_square(Rect{-9, -9, 9, 9});
    table.restore_square(corner);
    EXPECT_EQ(table.back_buffer(), table.table_picture());
    EXPECT_EQ(table.show_back_buffer(), QRect(76, 41, std::min(w, 705 - 76), std::min(h, 384 - 41)));
}

TEST_F(TableViewTest, TheEndOfGameBackBufferStartsFromTheBareTable)
{
    const QImage bare = table.table_picture().copy();
    table.paint_disc(square_at(200, 150), RED);
    table.show_back_buffer();
    table.show_table_picture();
    EXPECT_EQ(table.surface().copy(QRect(QPoint(76, 41), bare.size())), bare);
    table.reset_back_buffer();
    EXPECT_EQ(table.back_buffer(), bare);
    table.paint_disc(square_at(200, 150), RED);
    EXPECT_EQ(table.table_picture(), bare);
}

// Each banner tick writes the banner and shows the back buffer again; once
// it is on the screen, the ticks after copy nothing until something changes.
TEST_F(TableViewTest, TheBannerIsBlueTextOnABlackBoxAtX125Y125AndItsTicksRedrawOnlyAChange)
{
    table.write_banner("The end of the game");
    EXPECT_FALSE(table.show_back_buffer().isEmpty());
    const QImage written = table.back_buffer().copy();
    table.write_banner("The end of the game");
    EXPECT_TRUE(table.show_back_buffer().isEmpty());
    EXPECT_EQ(table.back_buffer(), written);
    table.write_banner("Victory!");
    EXPECT_FALSE(table.show_back_buffer().isEmpty());
    table.write_banner("The end of the game");
    const QImage& buffer = table.back_buffer();
    const QRect box = difference(buffer, table.table_picture());
    EXPECT_EQ(box.topLeft(), QPoint(125, 125));
    EXPECT_TRUE(box.width() > 150 && box.height() >= 32);
    int pure_blue = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = buffer.pixelColor(x, y);
            ASSERT_TRUE(c.red() == 0 && c.green() == 0) << x << ", " << y;
            pure_blue += c.blue() == 255;
        }
    EXPECT_GT(pure_blue, 100);
}

TEST_F(TableViewTest, WithoutItsPictureNothingDrawsAndTheSurfaceShowsTheBackdrop)
{
    table.show_back_buffer();
    QTemporaryDir empty;
    const QString game_folder = QDir::currentPath();
    QDir::setCurrent(empty.path());
    const bool loaded = table.set_up_bitmaps();
    QDir::setCurrent(game_folder);
    EXPECT_FALSE(loaded);  // what the player is told is the window's test
    EXPECT_TRUE(table.table_picture().isNull() && table.back_buffer().isNull());
    QImage backdrop(705, 384, QImage::Format_RGB32);
    backdrop.fill(Qt::black);
    EXPECT_EQ(table.surface(), backdrop) << "the old table is gone from the surface";

    const QImage before = table.surface().copy();
    table.paint_disc(square_at(100, 100), WHITE);
    table.restore_square(square_at(100, 100));
    table.show_back_buffer_part(square_at(100, 100));
    EXPECT_TRUE(table.show_pending_parts().isEmpty());
    EXPECT_TRUE(table.show_back_buffer().isEmpty());
    table.reset_back_buffer();
    EXPECT_TRUE(table.show_table_picture().isEmpty());
    table.write_banner("The end of the game");
    EXPECT_TRUE(table.back_buffer().isNull());
    EXPECT_EQ(table.surface(), before);
}

}  // namespace
