#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "sim/variables.h"
#include "view/table_window.h"

namespace {

// Remembers what the table told its widget and its player.
struct RecordingTable : TableWindow {
    using TableWindow::TableWindow;
    void surface_changed(const QRect& area) override { changed.append(area); }
    void report_picture_error(const QString& message) override { errors.append(message); }
    QList<QRect> changed;
    QStringList errors;
};

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

}  // namespace

class TableWindowTest : public QObject {
    Q_OBJECT

    RecordingTable table;

private slots:
    void init() { QVERIFY(table.set_up_bitmaps()); table.changed.clear(); }

    void a_disc_fills_the_round_of_its_square_and_nothing_more()
    {
        table.paint_disc(square_at(200, 150), RED);
        const QImage& drawn = table.back_buffer();
        QCOMPARE(difference(drawn, table.table_picture()), QRect(191, 141, 18, 18));
        // Pixel centres within 9 pixels of the ball's centre, row by row from the top.
        const int widths[18] = {6, 10, 12, 14, 16, 16, 18, 18, 18, 18, 18, 18, 16, 16, 14, 12, 10, 6};
        for (int row = 0; row < 18; ++row) {
            int first = -1, count = 0;
            for (int x = 191; x < 209; ++x) {
                if (drawn.pixel(x, 141 + row) != qRgb(255, 0, 0)) continue;
                if (first < 0) first = x;
                ++count;
            }
            QCOMPARE(count, widths[row]);
            QCOMPARE(first - 191, (18 - widths[row]) / 2);  // centred, no gaps
        }
    }

    void an_erased_ball_leaves_the_table_and_changes_reach_the_screen_at_the_offset()
    {
        table.show_back_buffer();
        table.changed.clear();
        const QImage before = table.screen().copy();
        table.paint_disc(square_at(120, 80), YELLOW);
        table.paint_disc(square_at(130, 80), BLACK);
        table.restore_square(square_at(120, 80));
        QCOMPARE(difference(table.back_buffer(), table.table_picture()), QRect(129, 71, 10, 18));

        table.show_back_buffer_part(Rect{});
        table.show_back_buffer_part(square_at(130, 80));
        const QRect on_screen(121 + 76, 71 + 41, 18, 18);
        QCOMPARE(table.changed, QList<QRect>{on_screen});
        QCOMPARE(difference(table.screen(), before), QRect(129 + 76, 71 + 41, 10, 18));
        QCOMPARE(table.screen().copy(on_screen), table.back_buffer().copy(121, 71, 18, 18));
    }

    void copies_stop_at_the_edges_of_the_pictures()
    {
        const int w = table.table_picture().width(), h = table.table_picture().height();
        const Rect corner{w - 9, h - 9, w + 9, h + 9};
        table.paint_disc(Rect{-9, -9, 9, 9}, WHITE);
        table.paint_disc(corner, WHITE);
        QCOMPARE(table.back_buffer().pixelColor(w - 1, h - 1), QColor(Qt::white));
        table.show_back_buffer_part(corner);
        QCOMPARE(table.changed, QList<QRect>{QRect(w - 9 + 76, h - 9 + 41, 9, 9)});
        table.restore_square(Rect{-9, -9, 9, 9});
        table.restore_square(corner);
        QCOMPARE(table.back_buffer(), table.table_picture());
        table.show_back_buffer();
        QCOMPARE(table.changed.last(), QRect(76, 41, std::min(w, 705 - 76), std::min(h, 384 - 41)));
    }

    void the_end_of_game_back_buffer_starts_from_the_bare_table()
    {
        const QImage bare = table.table_picture().copy();
        table.paint_disc(square_at(200, 150), RED);
        table.show_back_buffer();
        table.show_table_picture();
        QCOMPARE(table.screen().copy(QRect(QPoint(76, 41), bare.size())), bare);
        table.reset_back_buffer();
        QCOMPARE(table.back_buffer(), bare);
        table.paint_disc(square_at(200, 150), RED);
        QCOMPARE(table.table_picture(), bare);
    }

    void the_banner_is_blue_text_on_a_black_box_at_125_125()
    {
        table.write_banner("The end of the game");
        const QImage& buffer = table.back_buffer();
        const QRect box = difference(buffer, table.table_picture());
        QCOMPARE(box.topLeft(), QPoint(125, 125));
        QVERIFY(box.width() > 150 && box.height() >= 32);
        int pure_blue = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor c = buffer.pixelColor(x, y);
                QVERIFY(c.red() == 0 && c.green() == 0);
                pure_blue += c.blue() == 255;
            }
        QVERIFY(pure_blue > 100);
    }

    void a_missing_picture_is_reported_and_nothing_draws_without_it()
    {
        QTemporaryDir empty;
        const QString game_folder = QDir::currentPath();
        QDir::setCurrent(empty.path());
        const bool loaded = table.set_up_bitmaps();
        QDir::setCurrent(game_folder);
        QVERIFY(!loaded);
        QCOMPARE(table.errors.size(), 1);
        QVERIFY(table.errors[0].contains("tavlo2.bmp") && table.errors[0].contains("missing"));
        QVERIFY(table.table_picture().isNull() && table.back_buffer().isNull());

        const QImage before = table.screen().copy();
        table.changed.clear();  // the failed load itself cleared the area
        table.paint_disc(square_at(100, 100), WHITE);
        table.restore_square(square_at(100, 100));
        table.show_back_buffer_part(square_at(100, 100));
        table.show_back_buffer();
        table.reset_back_buffer();
        table.show_table_picture();
        table.write_banner("The end of the game");
        QVERIFY(table.back_buffer().isNull());
        QVERIFY(table.changed.isEmpty());
        QCOMPARE(table.screen(), before);
    }
};

QTEST_MAIN(TableWindowTest)
#include "table_window_test.moc"
