#include "app/window_hands.h"

#include "match/match_recorder.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "view/mouse.h"
#include "view/table_view.h"

WindowHands::WindowHands(MatchRecorder& recorder, TableView& view, std::function<void()> drawn,
                         std::function<void()> replacing_rack)
    : recorder_(recorder), view_(view), drawn_(std::move(drawn)), replacing_rack_(std::move(replacing_rack))
{
}

// The cue is drawn straight onto the surface, so the area is shown again after each.
void WindowHands::move(int x, int y)
{
    recorder_.mouse_moved(x, y, PaintBox1MouseMove(view_.surface(), x, y));
    drawn_();
}

void WindowHands::press(int x, int y)
{
    recorder_.mouse_pressed(x, y, PaintBox1MouseDown(x, y));
    drawn_();
}

void WindowHands::undo()
{
    const bool undoable = undo_available();
    SpeedButton1Click();
    if (undoable) recorder_.shot_taken_back();
}

void WindowHands::new_game()
{
    replacing_rack_();
    Nouvellepartie1Click();
}

void WindowHands::take_over(const MatchRecord& record, const TableSnapshot& table)
{
    replacing_rack_();
    // Before the table, which the window looks at as it takes it over.
    recorder_.resume(record);
    take_over_table(table);
}
