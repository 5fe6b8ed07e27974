#pragma once

#include <QLabel>
#include <QtTest>
#include <memory>

#include "app/Unit1.h"
#include "sim/ball_drawing.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

// The main window as the game opens it, on a fresh game state, shown on the
// offscreen platform; null if it never came up. Creating one waits half a
// second, so a suite opens one in initTestCase and plays on it throughout.
inline std::unique_ptr<TForm1> open_main_window()
{
    reset_game_state();
    auto form = std::make_unique<TForm1>(background_picture());
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) form.reset();
    return form;
}

inline QWidget* drawing_area(const TForm1& form) { return form.findChild<QWidget*>("PaintBox1"); }
inline QString status_line(const TForm1& form) { return form.findChild<QLabel*>("Panel3")->text(); }

// Drawing-area pixels of a table point.
inline QPoint shown(float x, float y) { return QPoint(int(x) + 76, int(y) + 41); }

// Waits up to 30 s for the shot to be judged and aiming to be back; true if it was.
inline bool judged_in_time()
{
    return QTest::qWaitFor([] { return game.shot_evaluated && game.aiming_enabled; }, 30000);
}

// Shows the table again after balls were put in place by hand.
inline void redraw_table(TForm1& form)
{
    form.reset_back_buffer();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    form.show_back_buffer();
    game.skip_cue_restore = true;
}
