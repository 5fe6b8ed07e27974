#pragma once

#include <QString>
#include <utility>

#include "replay/virtual_clock.h"
#include "sim/window.h"
#include "view/table_view.h"

// The main window without a screen: the table's pixels in memory, no
// controls around them, and the three timers on a virtual clock, each wired
// to the same handler as in the main window.
class ReplayWindow : public Window {
public:
    ReplayWindow();

    bool set_up_bitmaps() override;
    void paint_disc(const Rect& square, int32_t colour) override { view_.paint_disc(square, colour); }
    void restore_square(const Rect& square) override { view_.restore_square(square); }
    void show_back_buffer_part(const Rect& area) override { view_.show_back_buffer_part(area); }
    void show_back_buffer() override { view_.show_back_buffer(); }
    // Nothing but the drawing area is there to repaint, and it only shows its surface.
    void repaint_main_window() override {}
    void remove_cue_from_screen() override;
    void reset_back_buffer() override { view_.reset_back_buffer(); }
    void show_table_picture() override { view_.show_table_picture(); }
    void write_banner(const std::string& text) override { view_.write_banner(text); }
    void show_player_indicators(int32_t, int32_t, int) override {}
    void set_status_line(const std::string& text) override { status_line_ = text; }
    const std::string& status_line() const override { return status_line_; }
    void set_timer(TimerId t, bool on) override { clock_.set_running(t, on); }
    bool timer_on(TimerId t) const override { return clock_.running(t); }

    // Lets `ms` virtual milliseconds pass, running every tick that falls due.
    void wait(int64_t ms) { clock_.wait(ms); }
    int64_t now() const { return clock_.now(); }
    // Why the table picture last failed to load, told once: taking the
    // message clears it. Empty when no load has failed since.
    QString take_picture_error() { return std::exchange(picture_error_, QString()); }

    TableView& view() { return view_; }
    const TableView& view() const { return view_; }

private:
    TableView view_;
    VirtualClock clock_;
    std::string status_line_;
    QString picture_error_;
};

// Lets time pass 100 ms at a time until the simulation timer is off, every
// ball rests, the last shot has been judged and the player may aim. False
// when that has not come after ten minutes of virtual time.
bool settle(ReplayWindow& table);
