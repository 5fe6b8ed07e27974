#include "app/window_hands.h"

#include "app/computer_player.h"
#include "match/match_recorder.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "view/mouse.h"
#include "view/table_view.h"

WindowHands::WindowHands(MatchRecorder& recorder, TableView& view, ComputerPlayer& computer,
                         std::function<void()> drawn)
    : recorder_(recorder), view_(view), computer_(computer), drawn_(std::move(drawn))
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
    computer_.new_game();
    Nouvellepartie1Click();
}

void WindowHands::take_over(const MatchRecord& record, const TableSnapshot& table)
{
    computer_.new_game();
    // Before the table, which the window looks at as it takes it over.
    recorder_.resume(record);
    take_over_table(table);
}
