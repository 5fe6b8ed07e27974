#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>

#include "app/match_hooks.h"
#include "match/script.h"

// Plays a match again in the window from its start, at the real speed: a new
// rack with the praise generator as it was, then each input through the
// window's own handlers once the table has settled, the cue gliding to each
// shot's aim as the computer's does. A click or a key stops it; the table
// then plays on from where it stands, and the record holds what was watched.
class MatchWatch : public QObject {
    Q_OBJECT

public:
    explicit MatchWatch(const MatchHooks& hooks, QObject* parent = nullptr);

    void start(const MatchRecord& record);
    void stop();
    bool watching() const { return ticks_.isActive(); }

signals:
    // Stopped, or every input has been played.
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Phase { settling, resting, gliding, pausing };

    void tick();
    void begin_input();
    void glide_step();
    void take_input();

    const MatchHooks& hooks_;
    QTimer ticks_;
    MatchRecord watched_;
    size_t next_input_ = 0;
    ScriptCommand input_;  // the one being played
    Phase phase_ = Phase::settling;
    int phase_ticks_ = 0;
    int from_x_ = 0, from_y_ = 0;  // where the cue glides from
};
