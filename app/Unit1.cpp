#include "app/Unit1.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QThread>
#include <utility>

#include "app/drawing_area.h"
#include "app/game_ending.h"
#include "app/how_to_play.h"
#include "app/panel_fit.h"
#include "app/picture_folders.h"
#include "app/widgets.h"
#include "input/placement.h"
#include "rules/game_wiring.h"
#include "sim/initialisation.h"
#include "sim/table_geometry.h"
#include "sim/variables.h"
#include "view/colours.h"
#include "view/cue.h"

namespace {

constexpr QSize CLIENT_SIZE{705, 466};
// The drawing area's place in the client area; the background shows through around the table.
constexpr QPoint DRAWING_AREA_AT{0, 34};
constexpr int PANEL_TEXT_PIXELS = 12;
// The player panels' places; a panel widens about its centre up to the
// widest, for a long name, without reaching the other.
constexpr QRect PANEL_PLACES[2] = {QRect(117, 8, 163, 20), QRect(400, 8, 161, 20)};
constexpr int WIDEST_PANEL = 240;

// Pure blue on the black panel is hard to read; a player without a group is
// shown in a lighter blue.
constexpr QRgb NO_GROUP_TEXT = qRgb(0x60, 0x90, 0xFF);

const QString PLACE_THE_WHITE = QStringLiteral("Place the white ball in the left part");

// Player indicator: its font colour is the player's group; underlined while it is their turn.
void show_indicator(QLabel* panel, const QRect& home, int32_t colour, bool their_turn, const QString& name)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, colour == NoGroup ? NO_GROUP_TEXT : to_qrgb(colour));
    panel->setPalette(palette);
    QFont font = panel->font();
    font.setUnderline(their_turn);
    panel->setFont(font);
    fit_panel_text(*panel, home, WIDEST_PANEL, name);
}

}  // namespace

TForm1::TForm1(const QImage& background, const PlayerChoices& choices)
    : view_(background.copy(QRect(DRAWING_AREA_AT, QSize(DRAWING_AREA_WIDTH, DRAWING_AREA_HEIGHT))),
            game_picture_folders()),
      hands_(recorder_, view_, [this] { PaintBox1->update(); }, [this] { computer_.new_game(); }),
      choices_(choices)
{
    setWindowTitle(QStringLiteral("Corvenne"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    build_controls(background);
    build_menu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(&computer_, &ComputerPlayer::at_work_changed, this, &TForm1::show_panels);
    for (TimerId t : ALL_TIMERS) timers_.wire(t, tick_handler(t));
    // Whoever plays next hears of it once the supervisor's tick has returned,
    // so that nothing they do (a remote input applied, a shot launched) runs
    // inside the tick.
    timers_.wire(Timer2, [this] {
        if (std::exchange(turn_told_, false)) seats_.turn_begins();
    });
    // What a tick's iterations changed reaches the screen in one copy.
    timers_.wire(Timer1, [this] { surface_changed(view_.show_pending_parts()); });
#ifdef CORVENNE_SOUND
    // Heard in the tick whose drawing shows it.
    timers_.wire(Timer1, [this] { sound_.tick_drawn(); });
    sound_.set_on(choices_.sound);
#endif
    attach_window(this);
    FormCreate();
}

TForm1::~TForm1()
{
    if (&::window() == this) attach_window(nullptr);
}

// Controls from the bottom of the drawing order to the top.
void TForm1::build_controls(const QImage& background)
{
    auto* client = new QWidget(this);
    client->setFixedSize(CLIENT_SIZE);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::black);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Image1 = make_picture(client, QStringLiteral("Image1"), background, QRect(0, 0, 705, 465));

    PaintBox1 = new DrawingArea(view_, client);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(QRect(DRAWING_AREA_AT, QSize(DRAWING_AREA_WIDTH, DRAWING_AREA_HEIGHT)));
    // While the computer has the cue, the person's mouse does nothing.
    connect(PaintBox1, &DrawingArea::mouse_moved, this, [this](int x, int y) {
        keyboard_.mouse_seen_at(QPoint(x, y));
        seats_.person_moved(x, y);
    });
    connect(PaintBox1, &DrawingArea::mouse_pressed, this, [this](int x, int y) {
        keyboard_.mouse_seen_at(QPoint(x, y));
        seats_.person_pressed(x, y);
    });

    SpeedButton1 = new QPushButton(QStringLiteral("Отмена хода"), client);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(546, 434, 150, 22);
    SpeedButton1->setFlat(true);
    // Space shoots; only the shortcut undoes from the keyboard.
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setFont(pixel_font(QStringLiteral("MS Sans Serif"), PANEL_TEXT_PIXELS, true));
    SpeedButton1->setStyleSheet(QStringLiteral("QPushButton { color: white; }"));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { seats_.person_undo(); });

    const QFont indicator_font = pixel_font(QStringLiteral("Arial"), PANEL_TEXT_PIXELS, true);
    Panel1 = make_panel(client, QStringLiteral("Panel1"), PANEL_PLACES[0], indicator_font, Qt::black);
    Panel1->setText(QStringLiteral("Panel1"));
    Panel1->hide();
    Panel2 = make_panel(client, QStringLiteral("Panel2"), PANEL_PLACES[1], indicator_font, Qt::black);
    Panel2->setText(QStringLiteral("Panel2"));
    Panel2->hide();
    Panel3 = make_panel(client, QStringLiteral("Panel3"), QRect(152, 426, 385, 40),
                        pixel_font(QStringLiteral("Tahoma"), PANEL_TEXT_PIXELS, true), Qt::white);
}

void TForm1::build_menu()
{
    QMenu* Fichier1 = menuBar()->addMenu(QStringLiteral("Main"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    QAction* Nouvellepartie1 = Fichier1->addAction(QStringLiteral("New game"));
    Nouvellepartie1->setObjectName(QStringLiteral("Nouvellepartie1"));
    connect(Nouvellepartie1, &QAction::triggered, this, [this] { seats_.person_new_game(); });
    QAction* Quitter1 = Fichier1->addAction(QStringLiteral("Exit"));
    Quitter1->setObjectName(QStringLiteral("Quitter1"));
    connect(Quitter1, &QAction::triggered, this, &TForm1::Quitter1Click);
    add_shortcuts(Nouvellepartie1);
    build_opponent_menu();
    build_view_menu();
    match_menu_ = new MatchMenu(*menuBar(), *this, match_hooks());
    build_help_menu();
}

void TForm1::add_shortcuts(QAction* new_game)
{
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, SpeedButton1, &QPushButton::click);
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, new_game, &QAction::trigger);
}

void TForm1::build_help_menu()
{
    QMenu* help = menuBar()->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* how_to_play = help->addAction(tr("How to play"));
    how_to_play->setObjectName(QStringLiteral("HowToPlay1"));
    how_to_play->setShortcut(QKeySequence::HelpContents);
    connect(how_to_play, &QAction::triggered, this, [this] { show_how_to_play(*this); });
}

MatchHooks TForm1::match_hooks()
{
    MatchHooks hooks;
    hooks.record = [this]() -> const MatchRecord& { return recorder_.record(); };
    hooks.seat_names = [this] {
        return std::array<QString, 2>{seats_.name_of(1), seats_.name_of(2)};
    };
    hooks.hands = &hands_;
    hooks.keep_seats_out = [this](bool out) { seats_.watch(out); };
    hooks.earlier_racks = [this]() -> const EarlierRacks& { return recorder_.earlier_racks(); };
    hooks.open_earlier_racks = [this](const EarlierRacks& racks, const SeriesCount& won) {
        recorder_.open_match(racks, won);
    };
    hooks.rewind_rack = [this] { recorder_.rewind_rack(); };
    return hooks;
}

// Who plays player 2; the choice lasts until it is changed or the program ends.
void TForm1::build_opponent_menu()
{
    QMenu* opponent = menuBar()->addMenu(tr("Opponent"));
    opponent->setObjectName(QStringLiteral("Opponent1"));
    auto* choices = new QActionGroup(opponent);
    opponent_choices_ = choices;
    const std::pair<const char*, std::optional<ComputerLevel>> items[] = {
        {"Second player", std::nullopt},
        {"Computer: easy", ComputerLevel::easy},
        {"Computer: medium", ComputerLevel::medium},
        {"Computer: hard", ComputerLevel::hard},
        {"Computer: expert", ComputerLevel::expert},
    };
    for (const auto& [caption, level] : items) {
        QAction* item = opponent->addAction(QString::fromUtf8(caption));
        item->setCheckable(true);
        item->setData(word_of(Seat{level}));
        choices->addAction(item);
        // Captured by copy under a new name: clang 14 cannot capture a structured binding.
        connect(item, &QAction::triggered, this, [this, chosen = level] {
            show_opponent_choice();  // until the network game, if any, is over
            network_.end_match_then([this, chosen] { choose_second_player(Seat{chosen}); });
        });
    }
    show_opponent_choice();
    network_.add_menu_items(*opponent);
}

// Another opponent is another match.
void TForm1::choose_second_player(const Seat& seat)
{
    if (seat.computer != seats_.second_player().computer) recorder_.new_match(winner_of(game, status_line_));
    seats_.choose_second_player(seat);
    if (remember_choices_) remember_second_player(seat);
    show_opponent_choice();
    show_panels();
}

void TForm1::show_opponent_choice()
{
    for (QAction* item : opponent_choices_->actions())
        item->setChecked(item->data().toString() == word_of(seats_.second_player()));
}

// How the window looks; the choices last until changed.
void TForm1::build_view_menu()
{
    QMenu* view = menuBar()->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("View1"));
    QAction* show_players = view->addAction(tr("Show players"));
    show_players->setObjectName(QStringLiteral("ShowPlayers1"));
    show_players->setCheckable(true);
    show_players->setChecked(choices_.show_players);
    connect(show_players, &QAction::toggled, this, [this](bool show) {
        choices_.show_players = show;
        if (remember_choices_) remember_show_players(show);
        show_panels();
    });
#ifdef CORVENNE_SOUND
    QAction* sound = view->addAction(tr("Sound"));
    sound->setObjectName(QStringLiteral("Sound1"));
    sound->setCheckable(true);
    sound->setChecked(choices_.sound);
    connect(sound, &QAction::toggled, this, [this](bool on) {
        sound_.set_on(on);
        if (remember_choices_) remember_sound(on);
    });
#endif
}

void TForm1::FormCreate()
{
    QThread::msleep(500);
    set_up_first_rack();
}

void TForm1::Quitter1Click()
{
    close();
}

void TForm1::FormClose()
{
    for (TimerId t : ALL_TIMERS) set_timer(t, false);
    view_.release_bitmaps();
    attach_window(nullptr);
}

void TForm1::PaintBox1Paint()
{
    show_back_buffer();
}

bool TForm1::set_up_bitmaps()
{
    if (view_.set_up_bitmaps()) return true;
    surface_changed(view_.surface().rect());
    report_picture_error(view_.picture_error());
    return false;
}

void TForm1::show_back_buffer_part(const Rect& area)
{
    view_.show_back_buffer_part(area);
}

void TForm1::show_back_buffer()
{
    surface_changed(view_.show_back_buffer());
}

void TForm1::show_table_picture()
{
    surface_changed(view_.show_table_picture());
}

// The background shows through around the table again, so nothing of an old
// cue that reached past the table picture stays there.
void TForm1::repaint_main_window()
{
    surface_changed(view_.show_backdrop());
    PaintBox1Paint();
    update();
}

// The mouse handler that shoots shows the drawing area again afterwards.
void TForm1::remove_cue_from_screen()
{
    remove_cue(view_.surface());
}

void TForm1::surface_changed(const QRect& area)
{
    if (!area.isEmpty()) PaintBox1->update(area);
}

void TForm1::set_status_line(const std::string& text)
{
    status_line_ = text;
    recorder_.rack_looked_at(winner_of(game, status_line_));
    show_panels();  // the end of a game marks its winner and counts in the series
}

// The network seat's notice wraps: it names addresses and says what to do.
// Otherwise the game's own status, or the result told from this window's side.
void TForm1::show_status()
{
    const QStringList notice = network_.notice();
    const QString watching = network_.watching_text();
    Panel3->setWordWrap(!notice.isEmpty());
    if (!notice.isEmpty()) return fit_status_text(*Panel3, notice);
    Panel3->setAlignment(watching.isEmpty() ? Qt::AlignCenter : STATUS_TWO_LINES);
    Panel3->setToolTip(QString());
    const int winner = shown_winner();
    QString status = QString::fromStdString(status_line_);
    if (winner) status = ending_text(winner == seats_.own_player(), seats_.player_name(winner));
    // A watcher's window says whom it watches, under the status.
    if (!watching.isEmpty()) status += u'\n' + watching;
    Panel3->setText(status);
}

// While a network match lasts, match files and watching wait until it ends.
// A network match, and the play at this window after it, are matches of their own.
void TForm1::network_changed()
{
    if (seats_.network_changed(network_seats_.seats())) {
        match_menu_->allow_replacing_the_table(!seats_.network_match());
        recorder_.new_match(winner_of(game, status_line_));
    }
    show_panels();
}

void TForm1::show_player_indicators(int32_t colour1, int32_t colour2, int current_player)
{
    panel_colours_[0] = colour1;
    panel_colours_[1] = colour2;
    panel_current_player_ = current_player;
    show_panels();
    show_placement_spot(false);
}

// Shown once someone other than a person at this window plays, or when asked
// for; hidden and empty otherwise. Once a game has ended, nobody is underlined.
void TForm1::show_panels()
{
    const bool shown = choices_.show_players || seats_.someone_else_plays();
    const int winner = winner_of(game, status_line_);
    QLabel* panels[2] = {Panel1, Panel2};
    for (int p = 1; p <= 2; ++p) {
        const bool their_turn = panel_current_player_ == p && !winner;
        show_indicator(panels[p - 1], PANEL_PLACES[p - 1], panel_colours_[p - 1], their_turn,
                       shown ? panel_text(p, their_turn, winner) : QString());
        panels[p - 1]->setVisible(shown);
    }
    show_status();
}

QString TForm1::panel_text(int player, bool their_turn, int winner) const
{
    QString text = seats_.player_name(player);
    const SeriesCount series = shown_series(winner);
    if (series.won_by(1) + series.won_by(2) > 0) {
        // After the name, before what the network says of the player on the next line.
        const qsizetype name_end = text.indexOf(QLatin1Char('\n'));
        text.insert(name_end < 0 ? text.size() : name_end, QStringLiteral(" %1").arg(series.won_by(player)));
    }
    if (seats_.at_work(player)) text += QStringLiteral(" \u2026");
    if (player == winner) text += QStringLiteral(" \u2605");
    if (their_turn && seats_.plays_here(player) && cue_ball_to_be_placed(game))
        text += QLatin1Char('\n') + PLACE_THE_WHITE;
    return text;
}

// A network match keeps its own count, which hears of a decided rack once
// the table has settled, and not at all once the connection has ended: the
// rack on the table counts here at once, as the winner's mark does.
SeriesCount TForm1::shown_series(int winner) const
{
    SeriesCount series = seats_.network_match() ? network_.series() : recorder_.series();
    series.rack_looked_at(winner);
    return series;
}

int TForm1::shown_winner() const
{
    return seats_.someone_else_plays() ? winner_of(game, status_line_) : 0;
}

// Told without blocking, so the window still opens and "New game" can try again.
void TForm1::report_picture_error(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Corvenne"), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The window opens in the middle of the screen, and its drawing area is
// repainted whole whenever it comes back on the screen.
void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) centre_on_screen(*this);
    PaintBox1Paint();
}

// Closing ends a network match only once the player has agreed to.
void TForm1::closeEvent(QCloseEvent* event)
{
    if (network_.match_lasts()) {
        event->ignore();
        return network_.end_match_then([this] { close(); });
    }
    FormClose();
    event->accept();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    const KeyboardAim::Act act = keyboard_.key_pressed(*event, keys_start());
    const QPoint at = keyboard_.point();
    switch (act) {
    case KeyboardAim::Act::none: return QMainWindow::keyPressEvent(event);
    case KeyboardAim::Act::move: seats_.person_moved(at.x(), at.y()); break;
    case KeyboardAim::Act::press: seats_.person_pressed(at.x(), at.y()); break;
    }
    show_placement_spot(act == KeyboardAim::Act::move);
}

QPoint TForm1::keys_start() const
{
    if (cue_ball_to_be_placed(game))
        return QPoint((PLACEMENT_LEFT_EXCLUSIVE + PLACEMENT_RIGHT) / 2 + DRAW_OFFSET_X,
                      (PLACEMENT_TOP_EXCLUSIVE + PLACEMENT_BOTTOM_EXCLUSIVE) / 2 + DRAW_OFFSET_Y);
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    return QPoint(static_cast<int>(cue_ball.x) + DRAW_OFFSET_X, static_cast<int>(cue_ball.y) + DRAW_OFFSET_Y);
}

void TForm1::show_placement_spot(bool moved_by_keys)
{
    if (!cue_ball_to_be_placed(game) || !seats_.person_has_cue()) return PaintBox1->hide_spot();
    if (!moved_by_keys) return;
    const QPoint at = keyboard_.point();
    PaintBox1->show_spot(at, cue_ball_fits(game, at.x() - DRAW_OFFSET_X, at.y() - DRAW_OFFSET_Y));
}
