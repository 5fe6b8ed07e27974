#pragma once

#include <cstdint>
#include <string>

#include "sim/rect.h"

// The three timers of the main window.
enum TimerId {
    Timer1 = 1,  // simulation, 10 ms: three iterations a tick while balls move
    Timer2 = 2,  // supervisor, 100 ms: starts and stops Timer1, judges each shot
    Timer3 = 3,  // end-of-game banner, 20 ms
};
constexpr int timer_interval_ms(TimerId t) { return t == Timer1 ? 10 : t == Timer2 ? 100 : 20; }

// The main window as the game sees it: the pixels of the table picture, the
// back buffer and the drawing area, the status line, the player indicators and
// the timer switches. The game calls it wherever one of its handlers touches
// the window. Until a window is attached, a headless stand-in keeps the status
// text and the timer switches and draws nothing.
class Window {
public:
    virtual ~Window() = default;

    // New-rack bitmap set-up: load "tavlo2.bmp" into the table picture and copy
    // it into the back buffer. False when the picture could not be loaded; the
    // window has then told the player why.
    virtual bool set_up_bitmaps() { return true; }
    // A filled disc in the given colour, inside `square`, into the back buffer.
    virtual void paint_disc(const Rect& /*square*/, int32_t /*colour*/) {}
    // Copies `square` of the table picture back into the back buffer.
    virtual void restore_square(const Rect& /*square*/) {}
    // Copies `area` of the back buffer to the drawing area, shifted by the draw offset.
    virtual void show_back_buffer_part(const Rect& /*area*/) {}
    // Shows the whole back buffer in the drawing area at the draw offset.
    virtual void show_back_buffer() {}
    // Repaints the whole main window (the drawing area shows the back buffer).
    virtual void repaint_main_window() {}

    // End of game: the back buffer becomes a fresh copy of the table picture,
    // the bare table picture is shown, and the banner text is written into the
    // back buffer.
    virtual void reset_back_buffer() {}
    virtual void show_table_picture() {}
    virtual void write_banner(const std::string& /*text*/) {}

    // The hidden player indicators: font colours and whose turn it is.
    virtual void show_player_indicators(int32_t /*colour1*/, int32_t /*colour2*/,
                                        int /*current_player*/) {}

    // The status line under the table.
    void set_status_line(const std::string& text);
    const std::string& status_line() const { return status_line_; }

    // Enabling a timer that is already on changes nothing; its period keeps its phase.
    void set_timer(TimerId t, bool on);
    bool timer_on(TimerId t) const { return timers_on_[t]; }

protected:
    virtual void status_line_changed() {}
    virtual void timer_switched(TimerId /*t*/, bool /*on*/) {}

private:
    std::string status_line_;
    bool timers_on_[4] = {};
};

// The window attached on this thread, or this thread's headless stand-in.
Window& window();
// Attaches a window to this thread (nullptr detaches it and puts back a fresh stand-in).
void attach_window(Window* w);
