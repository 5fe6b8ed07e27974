#pragma once

#include <array>
#include <string>
#include <vector>

#include "sim/window.h"

// The window the tests without pixels attach: it keeps the status line and
// the timer switches, and a back buffer of one value per pixel in which the
// table picture is plain cloth and a painted disc fills its square with the
// ball's colour. Enough to see which balls the back buffer shows, and where,
// and what the game asked the window to show.
class FakeWindow final : public Window {
public:
    static constexpr int CLOTH = -1;

    FakeWindow() { clear(); }

    bool set_up_bitmaps() override;
    void paint_disc(const Rect& square, int32_t colour) override;
    void restore_square(const Rect& square) override { fill(square, CLOTH); }
    void show_back_buffer_part(const Rect& area) override { shown_parts.push_back(area); }
    void show_back_buffer() override { ++back_buffer_shown; }
    void repaint_main_window() override {}
    void remove_cue_from_screen() override { ++cue_removals; }
    void reset_back_buffer() override { clear(); }
    void show_table_picture() override { ++table_picture_shown; }
    void write_banner(const std::string& text) override { banner_texts.push_back(text); }
    void show_player_indicators(int32_t, int32_t, int) override {}
    void set_status_line(const std::string& text) override { status_line_ = text; }
    const std::string& status_line() const override { return status_line_; }
    void set_timer(TimerId t, bool on) override { timers_on_[timer_index(t)] = on; }
    bool timer_on(TimerId t) const override { return timers_on_[timer_index(t)]; }
    void table_event(const TableEvent& event) override { table_events.push_back(event); }
    void turn_begins() override { ++turns_begun; }
    void game_ended() override { ++games_ended; }

    // Pixels of the back buffer, compared as a whole or read one at a time.
    bool same_pixels(const FakeWindow& other) const { return pixels_ == other.pixels_; }
    int32_t at(int x, int y) const { return pixels_[index(x, y)]; }

    bool picture_missing = false;  // set_up_bitmaps() fails
    std::vector<Rect> shown_parts;
    std::vector<std::string> banner_texts;
    int discs_painted = 0;
    int back_buffer_shown = 0;
    int table_picture_shown = 0;
    int cue_removals = 0;
    std::vector<TableEvent> table_events;
    int turns_begun = 0;
    int games_ended = 0;

private:
    // Table coordinates with a margin for balls just beyond the capture lines.
    static constexpr int LEFT = -40, TOP = -40, WIDTH = 640, HEIGHT = 380;

    static int index(int x, int y);
    void clear() { pixels_.assign(WIDTH * HEIGHT, CLOTH); }
    void fill(const Rect& r, int32_t value);

    std::vector<int32_t> pixels_;
    std::string status_line_;
    std::array<bool, 3> timers_on_{};
};

// The back buffer that the balls in the game state should give: the cloth
// with every ball on the table drawn, in ball order.
FakeWindow expected_back_buffer();
