#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <string>

#include "sim/rect.h"

// The end-of-game banner's typeface and size.
QFont banner_font();

// The pixels of the table: the table picture read from "tavlo2.bmp" (never
// drawn on), the back buffer that receives the balls, and the drawing area's
// surface, which is what the player sees. Nothing here ever draws from a
// picture that failed to load. The windows hold one and draw through it.
class TableView {
public:
    // `backdrop` is what shows in the drawing area around the table picture;
    // the picture is looked for in `picture_folders` in turn, an empty name
    // standing for the working directory.
    explicit TableView(const QImage& backdrop = QImage(), const QStringList& picture_folders = {QString()});

    // Loads the table picture and copies it into the back buffer. False when
    // it could not be loaded: picture_error() then names the file and the
    // fault, and the surface shows the backdrop alone.
    bool set_up_bitmaps();
    void paint_disc(const Rect& square, int32_t colour);
    void restore_square(const Rect& square);
    void reset_back_buffer();
    // Written again over the same banner, the back buffer keeps its pixels.
    void write_banner(const std::string& text);

    // The parts of the back buffer that the iterations show wait until the
    // surface is next read or drawn on, then arrive as one copy of their exact
    // union. Each iteration draws into the back buffer only inside its own
    // part, so the pixels that arrive are those each part held. Outside the
    // iterations the back buffer is drawn into only ahead of showing it whole.
    void show_back_buffer_part(const Rect& area);

    // Each returns the rectangle of the surface that changed, empty when none
    // did: the back buffer shown again over itself, unchanged, copies nothing.
    QRect show_pending_parts() const;
    QRect show_back_buffer();
    QRect show_table_picture();
    // The backdrop over the whole surface, taking off whatever the cue left
    // outside the table picture; the table goes back on with show_back_buffer().
    QRect show_backdrop();

    // The window is closing: the table picture goes first, then the back buffer.
    void release_bitmaps();

    // The drawing area's surface, with every part waiting to be shown on it;
    // the cue is drawn straight onto it.
    QImage& surface()
    {
        show_pending_parts();
        surface_is_back_buffer_ = false;
        return surface_;
    }
    const QImage& surface() const
    {
        show_pending_parts();
        return surface_;
    }
    const QImage& back_buffer() const { return back_buffer_; }
    const QImage& table_picture() const { return table_picture_; }
    const QString& picture_error() const { return picture_error_; }

private:
    bool has_pictures() const { return !table_picture_.isNull() && !back_buffer_.isNull(); }
    // Copies `area` of `picture` onto the surface, shifted by the draw offset.
    QRect show_on_surface(const QImage& picture, const QRect& area);
    void back_buffer_drawn_on();

    QImage table_picture_;
    QImage back_buffer_;
    // Reading the surface shows the pending parts first.
    mutable QImage surface_;
    mutable QRegion pending_;  // in table coordinates
    QImage backdrop_;  // the drawing area with no table on it
    // What is known to need no drawing: the surface shows the back buffer
    // pixel for pixel, and the back buffer holds this banner as written.
    mutable bool surface_is_back_buffer_ = false;
    std::string banner_written_;
    QStringList picture_folders_;
    QString picture_error_;
};
