#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>

#include "app/player_seat.h"
#include "opponent/computer_shot.h"

// Plays player 2's turns in the window when the opponent is the computer.
// When the table tells that its turn begins it waits a second (the person
// may still undo their shot), thinks on worker threads, puts the cue ball
// back if it is off the table, glides the mouse to its aim through the
// mouse-move handler, pauses and presses. Every step is a short event of the
// window's thread; anything that changes the table meanwhile (an undo, "New
// game") ends the turn, and a search still running stops within one trial.
class ComputerPlayer : public QObject, public PlayerSeat {
    Q_OBJECT

public:
    // `hands` are the ones it plays through, without the check that shuts the person out.
    explicit ComputerPlayer(TableHands& hands);
    ~ComputerPlayer() override;

    // None: a second person plays player 2. Whatever the computer was doing
    // is dropped; whoever now plays player 2 takes the turn where it stands
    // once told that it begins.
    void set_level(std::optional<ComputerLevel> level);
    // On its turn, from the moment it comes to its press; the person's mouse does nothing then.
    bool has_cue() const override;
    bool thinking() const { return phase_ == Phase::thinking; }
    // Thinking or moving its cue: the person sees it at work.
    bool at_work() const override { return phase_ != Phase::idle && phase_ != Phase::waiting; }
    // The table is ready for the current player's next shot.
    void turn_begins() override;
    // "Computer (hard)".
    QString name(int player) const override;
    // "New game": whatever the computer was doing is dropped.
    void new_game() { cancel(); }
    // The last position the mouse was seen at, where the cue glides from.
    void mouse_seen_at(int x, int y) { mouse_at_ = MousePoint{x, y}; }

signals:
    // It began or stopped thinking or moving its cue.
    void at_work_changed();

private:
    enum class Phase { idle, waiting, thinking, gliding, pausing };

    void cancel();
    void enter(Phase phase);
    void think();
    void take_shot(ComputerShot shot, unsigned turn);
    void glide_step();
    void press();
    bool table_unchanged() const;

    TableHands& hands_;
    std::optional<ComputerLevel> level_;
    Phase phase_ = Phase::idle;
    QTimer wait_, glide_, pause_;
    GameState table_at_turn_;
    std::atomic<unsigned> turn_{0};  // a new number drops the result of an earlier search
    std::jthread search_;
    std::optional<MousePoint> mouse_at_;
    MousePoint glide_from_;
    uint64_t table_when_gliding_ = 0;
    ComputerShot shot_;
    int glide_step_ = 0;
};
