#pragma once

#include "sim/window.h"

// A window without pixels: it keeps the status line and the timer switches
// and draws nothing. The game talks to one until a real window attaches.
class HeadlessWindow final : public Window {
public:
    bool set_up_bitmaps() override { return true; }
    void paint_disc(const Rect&, int32_t) override {}
    void restore_square(const Rect&) override {}
    void show_back_buffer_part(const Rect&) override {}
    void show_back_buffer() override {}
    void repaint_main_window() override {}
    void remove_cue_from_screen() override {}
    void reset_back_buffer() override {}
    void show_table_picture() override {}
    void write_banner(const std::string&) override {}
    void show_player_indicators(int32_t, int32_t, int) override {}

    void set_status_line(const std::string& text) override { status_line_ = text; }
    const std::string& status_line() const override { return status_line_; }
    void set_timer(TimerId t, bool on) override { timers_on_[timer_index(t)] = on; }
    bool timer_on(TimerId t) const override { return timers_on_[timer_index(t)]; }

private:
    std::string status_line_;
    std::array<bool, 3> timers_on_{};
};
