#pragma once

#include <QString>
#include <utility>

#include "replay/virtual_clock.h"
#include "view/table_window.h"

// The table's pixels without a screen to show them on, and the three timers on
// a virtual clock, each wired to the same handler as in the main window.
class ReplayWindow : public TableWindow {
public:
    ReplayWindow();

    // Lets `ms` virtual milliseconds pass, running every tick that falls due.
    void wait(int64_t ms) { clock_.wait(ms); }
    int64_t now() const { return clock_.now(); }
    // Why the table picture last failed to load, told once: taking the
    // message clears it. Empty when no load has failed since.
    QString take_picture_error() { return std::exchange(picture_error_, QString()); }

protected:
    void timer_switched(TimerId t, bool on) override { clock_.switched(t, on); }
    void report_picture_error(const QString& message) override { picture_error_ = message; }

private:
    VirtualClock clock_;
    QString picture_error_;
};
