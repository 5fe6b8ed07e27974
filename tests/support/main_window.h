#pragma once

#include <QtTest>
#include <memory>

#include "app/Unit1.h"
#include "sim/for_tests.h"
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
