#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include "sim/window.h"

// The drawing area is 705 × 384 pixels; the table picture is shown in it at the
// draw offset.
constexpr int DRAWING_AREA_WIDTH = 705;
constexpr int DRAWING_AREA_HEIGHT = 384;

// The end-of-game banner's typeface and size.
QFont banner_font();

// The pixels of the table: the table picture read from "tavlo2.bmp" (never
// drawn on), the back buffer that receives the balls, and the drawing area's
// surface, which is what the player sees. Nothing here ever draws from a
// picture that failed to load.
class TableWindow : public Window {
public:
    // `backdrop` is what shows in the drawing area around the table picture;
    // the picture is looked for in `picture_folders` in turn, an empty name
    // standing for the working directory.
    explicit TableWindow(const QImage& backdrop = QImage(), const QStringList& picture_folders = {QString()});

    bool set_up_bitmaps() override;
    void paint_disc(const Rect& square, int32_t colour) override;
    void restore_square(const Rect& square) override;
    void show_back_buffer_part(const Rect& area) override;
    void show_back_buffer() override;
    void reset_back_buffer() override;
    void show_table_picture() override;
    void write_banner(const std::string& text) override;

    // The window is closing: the table picture goes first, then the back buffer.
    void release_bitmaps();

    // The drawing area's surface; the cue is drawn straight onto it.
    QImage& screen() { return screen_; }
    const QImage& back_buffer() const { return back_buffer_; }
    const QImage& table_picture() const { return table_picture_; }

    // Tells the widget which part of the surface to put on the screen.
    virtual void surface_changed(const QRect& /*area*/) {}

protected:
    // The table picture could not be loaded; `message` names the file and the fault.
    virtual void report_picture_error(const QString& /*message*/) {}

private:
    bool has_pictures() const { return !table_picture_.isNull() && !back_buffer_.isNull(); }
    // Copies `area` of `picture` onto the surface, shifted by the draw offset.
    void show_on_screen(const QImage& picture, const QRect& area);

    QImage table_picture_;
    QImage back_buffer_;
    QImage screen_;
    QImage backdrop_;  // the drawing area with no table on it
    QStringList picture_folders_;
};
