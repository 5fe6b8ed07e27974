#pragma once

#include <QImage>
#include <QMainWindow>

#include "app/computer_player.h"
#include "app/keyboard_aim.h"
#include "app/match_menu.h"
#include "app/network_players.h"
#include "app/network_seat.h"
#include "app/seats.h"
#include "app/settings.h"
#include "app/timers.h"
#include "app/window_hands.h"
#include "match/match_recorder.h"
#ifdef CORVENNE_SOUND
#include "app/picture_folders.h"
#include "sound/table_sound.h"
#endif
#include "sim/window.h"
#include "view/table_view.h"

class DrawingArea;
class QActionGroup;
class QLabel;
class QPushButton;

// The main window: the table in its drawing area over the background picture,
// the status line, the undo button, the menu and the three timers. The game
// reaches it through the window seam, to which it attaches itself; the
// table's pixels are its table view's.
class TForm1 : public QMainWindow, public Window {
    Q_OBJECT

public:
    // `background` is the picture behind everything, shown from its top-left
    // corner; `choices` are the menus' choices it opens with.
    explicit TForm1(const QImage& background, const PlayerChoices& choices = {});
    ~TForm1() override;

    bool set_up_bitmaps() override;
    void paint_disc(const Rect& square, int32_t colour) override { view_.paint_disc(square, colour); }
    void restore_square(const Rect& square) override { view_.restore_square(square); }
    void show_back_buffer_part(const Rect& area) override;
    void show_back_buffer() override;
    void repaint_main_window() override;
    void remove_cue_from_screen() override;
    void reset_back_buffer() override { view_.reset_back_buffer(); }
    void show_table_picture() override;
    void write_banner(const std::string& text) override { view_.write_banner(text); }
    void show_player_indicators(int32_t colour1, int32_t colour2, int current_player) override;
    void set_status_line(const std::string& text) override;
    const std::string& status_line() const override { return status_line_; }
    void set_timer(TimerId t, bool on) override { timers_.set_running(t, on); }
    bool timer_on(TimerId t) const override { return timers_.running(t); }
    // Heard once the supervisor's tick has returned (see the constructor).
    void turn_begins() override { turn_told_ = true; }
    void new_rack() override { recorder_.rack_set_up(); }
#ifdef CORVENNE_SOUND
    void table_event(const TableEvent& event) override { sound_.hear(event); }
    const TableSound& sound() const { return sound_; }
#endif

    const TableView& table_view() const { return view_; }

    const ComputerPlayer& computer() const { return computer_; }
    // What changed the game since its rack was set up.
    const MatchRecord& match_record() const { return recorder_.record(); }
    MatchMenu& match_menu() { return *match_menu_; }
    NetworkSeat& network() { return network_; }
    // From now on, a choice changed in the menus is remembered for the next run.
    void remember_menu_choices() { remember_choices_ = true; }

    // The drawing area's repaint: the whole back buffer at the draw offset.
    void PaintBox1Paint();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The arrows, Space and Enter aim and shoot as the mouse would.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_controls(const QImage& background);
    void build_menu();
    void build_opponent_menu();
    void build_view_menu();
    void build_help_menu();
    // Ctrl+Z and Ctrl+N act as the undo button and "New game" do, without
    // being written into the menu.
    void add_shortcuts(QAction* new_game);
    void choose_second_player(const Seat& seat);
    // The menu checks the seat that plays player 2 outside a network game.
    void show_opponent_choice();
    // The player panels: the seats' names in their groups' colours.
    void show_panels();
    // A seat's name, the racks it has won once the match has a decided
    // one, what the computer is at, the winner's mark, and for
    // the person at the cue, where the white ball goes back.
    QString panel_text(int player, bool their_turn, int winner) const;
    // Where the keys aim from before the mouse has been seen: the cue ball,
    // or the middle of the part where it goes back.
    QPoint keys_start() const;
    // The ring where keys put the cue ball back, while it is to be placed.
    void show_placement_spot(bool moved_by_keys);
    // The network seat has something new to show, or a match began or ended.
    void network_changed();
    // The racks each player has won in the match, `winner` the table's.
    SeriesCount shown_series(int winner) const;
    // Who won the game that ended, when the window tells it; 0 otherwise.
    int shown_winner() const;
    // The status line, what the network seat has to say instead, or a
    // game's end told from this window's side.
    void show_status();
    MatchHooks match_hooks();
    // The table picture could not be loaded; `message` names the file and the fault.
    void report_picture_error(const QString& message);
    // Puts the changed part of the drawing area's surface on the screen.
    void surface_changed(const QRect& area);
    void FormCreate();
    void Quitter1Click();
    void FormClose();

    QLabel* Image1 = nullptr;
    DrawingArea* PaintBox1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    TableView view_;
    WindowTimers timers_;
    KeyboardAim keyboard_;
    std::string status_line_;
    MatchRecorder recorder_;
    WindowHands hands_;
    ComputerPlayer computer_{hands_};
#ifdef CORVENNE_SOUND
    TableSound sound_{game_picture_folders()};  // the samples lie beside the table picture
#endif
    PlayerChoices choices_;
    bool remember_choices_ = false;
    MatchMenu* match_menu_ = nullptr;
    QActionGroup* opponent_choices_ = nullptr;
    NetworkSeat network_{hands_, *this, [this] { network_changed(); }};
    NetworkMatchSeats network_seats_{network_, hands_};
    Seats seats_{choices_.second_player, hands_, computer_, recorder_};
    bool turn_told_ = false;  // by the supervisor, in the tick that is running
    // What the supervisor last showed in the player panels.
    int32_t panel_colours_[2] = {NoGroup, NoGroup};
    int panel_current_player_ = 0;
};
