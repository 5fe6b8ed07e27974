#pragma once

#include <QWidget>

class TableView;

// The drawing area under the table: it shows its surface and reports the mouse.
// Everything is drawn into the surface by the game; painting only copies it.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    DrawingArea(const TableView& table, QWidget* parent);

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
};
