#pragma once

#include <QImage>
#include <QMainWindow>

#include "app/computer_player.h"
#include "app/timers.h"
#include "view/table_window.h"

class DrawingArea;
class QLabel;
class QPushButton;

// The main window: the table in its drawing area over the background picture,
// the status line, the undo button, the menu and the three timers. The game
// reaches it through the window seam, to which it attaches itself.
class TForm1 : public QMainWindow, public TableWindow {
    Q_OBJECT

public:
    // `background` is the picture behind everything, shown from its top-left corner.
    explicit TForm1(const QImage& background);
    ~TForm1() override;

    // screen() is the drawing area's surface here, not the monitor the window is on.
    using TableWindow::screen;

    void repaint_main_window() override;
    void show_player_indicators(int32_t colour1, int32_t colour2, int current_player) override;
    void surface_changed(const QRect& area) override;

    const ComputerPlayer& computer() const { return computer_; }

    // The drawing area's repaint: the whole back buffer at the draw offset.
    void PaintBox1Paint();

protected:
    void status_line_changed() override;
    void timer_switched(TimerId t, bool on) override;
    void report_picture_error(const QString& message) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls(const QImage& background);
    void build_menu();
    void build_opponent_menu();
    // The drawing area's mouse, the person's or the computer's.
    void mouse_moved(int x, int y);
    void mouse_pressed(int x, int y);
    void wire_timers();
    void FormCreate();
    void Quitter1Click();
    void FormClose();

    QLabel* Image1 = nullptr;
    DrawingArea* PaintBox1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    WindowTimers timers_;
    ComputerPlayer computer_;
};
