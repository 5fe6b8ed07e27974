#include "app/computer_player.h"

#include <cmath>

#include "app/seat.h"
#include "opponent/aim_error.h"
#include "match/table_hands.h"
#include "sim/step.h"

namespace {

constexpr int WAIT_MS = 1000;  // time for the person to undo their own shot
constexpr int GLIDE_STEP_MS = 20;
constexpr int GLIDE_STEPS = 30;  // 0.6 s
constexpr int PAUSE_MS = 300;

bool computer_to_play()
{
    return game.current_player == COMPUTER_PLAYER && game.aiming_enabled && !game.game_over
           && game.shot_evaluated && balls_at_rest();
}

}  // namespace

ComputerPlayer::ComputerPlayer(TableHands& hands) : hands_(hands)
{
    wait_.setSingleShot(true);
    wait_.setInterval(WAIT_MS);
    connect(&wait_, &QTimer::timeout, this, &ComputerPlayer::think);
    glide_.setInterval(GLIDE_STEP_MS);
    connect(&glide_, &QTimer::timeout, this, &ComputerPlayer::glide_step);
    pause_.setSingleShot(true);
    pause_.setInterval(PAUSE_MS);
    connect(&pause_, &QTimer::timeout, this, &ComputerPlayer::press);
}

ComputerPlayer::~ComputerPlayer()
{
    ++turn_;  // a search still running delivers to nobody
}

void ComputerPlayer::set_level(std::optional<ComputerLevel> level)
{
    level_ = level;
    cancel();
}

bool ComputerPlayer::has_cue() const
{
    return phase_ != Phase::idle || (level_ && game.current_player == COMPUTER_PLAYER && !game.game_over);
}

QString ComputerPlayer::name(int player) const
{
    return seat_name(Seat{level_}, player);
}

void ComputerPlayer::enter(Phase phase)
{
    const bool was_at_work = at_work();
    phase_ = phase;
    if (at_work() != was_at_work) emit at_work_changed();
}

void ComputerPlayer::cancel()
{
    ++turn_;
    search_.request_stop();
    wait_.stop();
    glide_.stop();
    pause_.stop();
    enter(Phase::idle);
}

bool ComputerPlayer::table_unchanged() const
{
    return computer_to_play() && table_hash(game) == table_hash(table_at_turn_);
}

void ComputerPlayer::turn_begins()
{
    cancel();  // whatever turn was under way is over: an undo or a new rack ended it
    if (!level_ || !computer_to_play()) return;
    enter(Phase::waiting);
    table_at_turn_ = game;
    wait_.start();
}

void ComputerPlayer::think()
{
    if (!table_unchanged() || !level_) return cancel();
    enter(Phase::thinking);
    const unsigned turn = ++turn_;
    const GameState table = game;
    const ComputerLevel level = *level_;
    // The result comes back as an event of the window's thread.
    search_ = std::jthread([this, table, level, turn](std::stop_token stop) {
        const ComputerShot shot = choose_computer_shot(table, level, stop);
        QMetaObject::invokeMethod(this, [this, shot, turn] { take_shot(shot, turn); }, Qt::QueuedConnection);
    });
}

void ComputerPlayer::take_shot(ComputerShot shot, unsigned turn)
{
    if (turn != turn_ || phase_ != Phase::thinking) return;
    if (!table_unchanged()) return cancel();
    shot_ = shot;
    if (shot.place) hands_.press(shot.place->x, shot.place->y);
    glide_from_ = mouse_at_.value_or(shot.aim);
    glide_step_ = 0;
    table_when_gliding_ = table_hash(game);
    enter(Phase::gliding);
    glide_.start();
}

void ComputerPlayer::glide_step()
{
    if (!computer_to_play() || table_hash(game) != table_when_gliding_) return cancel();
    ++glide_step_;
    const double t = static_cast<double>(glide_step_) / GLIDE_STEPS;
    const int x = static_cast<int>(std::lround(glide_from_.x + (shot_.aim.x - glide_from_.x) * t));
    const int y = static_cast<int>(std::lround(glide_from_.y + (shot_.aim.y - glide_from_.y) * t));
    hands_.move(x, y);
    mouse_at_ = MousePoint{x, y};
    if (glide_step_ < GLIDE_STEPS) return;
    glide_.stop();
    enter(Phase::pausing);
    pause_.start();
}

void ComputerPlayer::press()
{
    const bool still_ready = computer_to_play() && table_hash(game) == table_when_gliding_;
    enter(Phase::idle);
    if (still_ready) hands_.press(shot_.aim.x, shot_.aim.y);
}
