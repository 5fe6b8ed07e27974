#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/rect.h"
#include "sim/table_events.h"

// The three timers of the main window.
enum TimerId {
    Timer1 = 1,  // simulation, 10 ms: three iterations a tick while balls move
    Timer2 = 2,  // supervisor, 100 ms: starts and stops Timer1, judges each shot
    Timer3 = 3,  // end-of-game banner, 20 ms
};
constexpr std::array<TimerId, 3> ALL_TIMERS{Timer1, Timer2, Timer3};
constexpr int timer_interval_ms(TimerId t) { return t == Timer1 ? 10 : t == Timer2 ? 100 : 20; }
// Where timer t's entry lies in an array of three.
constexpr size_t timer_index(TimerId t) { return static_cast<size_t>(t) - 1; }

// The main window as the game sees it: the pixels of the table picture, the
// back buffer and the drawing area, the cue on it, the status line, the player
// indicators and the timer switches. The game calls it wherever one of its
// handlers touches the window.
class Window {
public:
    virtual ~Window() = default;

    // New-rack bitmap set-up: load "tavlo2.bmp" into the table picture and copy
    // it into the back buffer. False when the picture could not be loaded; the
    // window has then told the player why.
    virtual bool set_up_bitmaps() = 0;
    // A filled disc in the given colour, inside `square`, into the back buffer.
    virtual void paint_disc(const Rect& square, int32_t colour) = 0;
    // Copies `square` of the table picture back into the back buffer.
    virtual void restore_square(const Rect& square) = 0;
    // Copies `area` of the back buffer to the drawing area, shifted by the draw offset.
    virtual void show_back_buffer_part(const Rect& area) = 0;
    // Shows the whole back buffer in the drawing area at the draw offset.
    virtual void show_back_buffer() = 0;
    // Repaints the whole main window (the drawing area shows the back buffer
    // over the background).
    virtual void repaint_main_window() = 0;
    // Puts back what the cue and its dots covered on the drawing area.
    virtual void remove_cue_from_screen() = 0;

    // End of game: the back buffer becomes a fresh copy of the table picture,
    // the bare table picture is shown, and the banner text is written into the
    // back buffer.
    virtual void reset_back_buffer() = 0;
    virtual void show_table_picture() = 0;
    virtual void write_banner(const std::string& text) = 0;

    // The hidden player indicators: font colours and whose turn it is.
    virtual void show_player_indicators(int32_t colour1, int32_t colour2, int current_player) = 0;

    // The status line under the table.
    virtual void set_status_line(const std::string& text) = 0;
    virtual const std::string& status_line() const = 0;

    // Enabling a timer that is already on changes nothing; its period keeps its phase.
    virtual void set_timer(TimerId t, bool on) = 0;
    virtual bool timer_on(TimerId t) const = 0;

    // What only the live game tells: the window of the live game hears these,
    // a worker thread's headless window does not. They are told from inside
    // the tick that runs, so a window keeps them and acts on them once the
    // tick has returned: nothing it does then (an input applied, a shot
    // launched) may run inside the tick.
    // Something happened on the table, in the iteration that is running.
    virtual void table_event(const TableEvent&) {}
    // A shot has been judged, or taken back, and the table waits for the
    // current player's next one (aiming enabled, the game not over). Told
    // once, by the supervisor's tick.
    virtual void turn_begins() {}
    // The black has decided the game; the table is frozen until a new rack.
    virtual void game_ended() {}
    // A new rack stands; a turn begins once the supervisor enables aiming.
    virtual void new_rack() {}
};

// The window attached on this thread, or this thread's headless window
// (sim/headless_window.cpp keeps both).
Window& window();
// Attaches a window to this thread (nullptr detaches it and puts back a fresh headless window).
void attach_window(Window* w);
