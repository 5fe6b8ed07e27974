#include "view/table_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "sim/table_geometry.h"
#include "view/colours.h"
#include "view/pictures/table_picture_search.h"
#include "view/pixels.h"

namespace {

const QString TABLE_PICTURE_FILE = QStringLiteral("tavlo2.bmp");

// The banner: blue text, 24 points (32 pixels at 96 pixels per inch), on a black box.
constexpr int32_t BANNER_COLOUR = 0xFF0000;
constexpr int BANNER_PIXEL_SIZE = 32;
constexpr QPoint BANNER_AT{125, 125};

constexpr QPoint DRAW_OFFSET{DRAW_OFFSET_X, DRAW_OFFSET_Y};

QRect to_qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

}  // namespace

QFont banner_font()
{
    QFont font(QStringLiteral("Comic sans ms"));
    font.setPixelSize(BANNER_PIXEL_SIZE);
    return font;
}

TableView::TableView(const QImage& backdrop, const QStringList& picture_folders)
    : surface_(DRAWING_AREA_WIDTH, DRAWING_AREA_HEIGHT, QImage::Format_RGB32), picture_folders_(picture_folders)
{
    surface_.fill(Qt::black);
    if (!backdrop.isNull()) {
        const QImage pixels = backdrop.convertToFormat(QImage::Format_RGB32);
        copy_pixels(pixels, pixels.rect(), surface_, QPoint(0, 0));
    }
    backdrop_ = surface_.copy();
}

bool TableView::set_up_bitmaps()
{
    // The pair made for the previous rack goes, whether or not the new one loads.
    show_pending_parts();
    release_bitmaps();
    const TablePictureLoad load = find_table_picture(TABLE_PICTURE_FILE, picture_folders_);
    picture_error_ = load.error;
    if (load.picture.isNull()) {
        // No table can be played until a picture loads, so none is shown either.
        show_backdrop();
        return false;
    }
    table_picture_ = load.picture.convertToFormat(QImage::Format_RGB32);
    back_buffer_ = table_picture_.copy();
    back_buffer_drawn_on();
    return true;
}

void TableView::release_bitmaps()
{
    table_picture_ = QImage();
    back_buffer_ = QImage();
    back_buffer_drawn_on();
}

void TableView::paint_disc(const Rect& square, int32_t colour)
{
    if (!has_pictures()) return;
    fill_disc(back_buffer_, to_qrect(square), to_qrgb(colour));
    back_buffer_drawn_on();
}

void TableView::restore_square(const Rect& square)
{
    if (!has_pictures()) return;
    copy_square(table_picture_, to_qrect(square), back_buffer_);
    back_buffer_drawn_on();
}

void TableView::show_back_buffer_part(const Rect& area)
{
    if (has_pictures() && !area.empty()) pending_ += to_qrect(area);
}

QRect TableView::show_pending_parts() const
{
    if (pending_.isEmpty()) return QRect();
    const QRegion parts = std::exchange(pending_, QRegion());
    QRect changed;
    for (const QRect& part : parts) changed |= copy_pixels(back_buffer_, part, surface_, part.topLeft() + DRAW_OFFSET);
    surface_is_back_buffer_ = false;
    return changed;
}

QRect TableView::show_back_buffer()
{
    show_pending_parts();
    if (!has_pictures() || surface_is_back_buffer_) return QRect();
    const QRect changed = show_on_surface(back_buffer_, back_buffer_.rect());
    surface_is_back_buffer_ = true;
    return changed;
}

void TableView::reset_back_buffer()
{
    show_pending_parts();
    if (!has_pictures()) return;
    back_buffer_ = table_picture_.copy();
    back_buffer_drawn_on();
}

QRect TableView::show_backdrop()
{
    surface_is_back_buffer_ = false;
    return copy_pixels(backdrop_, backdrop_.rect(), surface_, QPoint(0, 0));
}

QRect TableView::show_table_picture()
{
    return has_pictures() ? show_on_surface(table_picture_, table_picture_.rect()) : QRect();
}

// The box is filled before the text is drawn, so the same text gives the same pixels.
void TableView::write_banner(const std::string& text)
{
    if (!has_pictures() || text == banner_written_) return;
    const QFont font = banner_font();
    const QString line = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    const QRect box(BANNER_AT, QSize(metrics.horizontalAdvance(line), metrics.height()));
    QPainter painter(&back_buffer_);
    painter.fillRect(box, Qt::black);
    // Glyphs that lean out of their cell stay inside the box.
    painter.setClipRect(box);
    painter.setFont(font);
    painter.setPen(QColor(to_qrgb(BANNER_COLOUR)));
    painter.drawText(box.left(), box.top() + metrics.ascent(), line);
    back_buffer_drawn_on();
    banner_written_ = text;
}

QRect TableView::show_on_surface(const QImage& picture, const QRect& area)
{
    show_pending_parts();
    surface_is_back_buffer_ = false;
    return copy_pixels(picture, area, surface_, area.topLeft() + DRAW_OFFSET);
}

void TableView::back_buffer_drawn_on()
{
    surface_is_back_buffer_ = false;
    banner_written_.clear();
}
