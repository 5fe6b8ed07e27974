#pragma once

#include <QWidget>
#include <optional>

class TableView;

// The drawing area under the table: it shows its surface and reports the mouse.
// Everything is drawn into the surface by the game; painting only copies it,
// and lays over it the spot where keys are putting the cue ball back.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    DrawingArea(const TableView& table, QWidget* parent);

    // A ring the size of a ball at `at`, white where the cue ball may go back
    // and red where it may not; the mouse moving takes it away.
    void show_spot(QPoint at, bool fits);
    void hide_spot();

signals:
    // Drawing-area pixels.
    void mouse_moved(int x, int y);
    void mouse_pressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const TableView& table_;
    std::optional<QPoint> spot_;
    bool spot_fits_ = false;
};
