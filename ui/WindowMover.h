#pragma once

#include <QPoint>

class QEvent;
class QMouseEvent;
class QWidget;

// "Move with the caption" for frameless windows: a press of the left button on
// a drag surface hands the window to the window system's move operation.
// Where the platform has none (offscreen, some X servers without a window
// manager), the window follows the mouse while the left button stays down.
// Moving the mouse without the button held never moves anything.
class WindowMover {
public:
    void press(QWidget *window, QMouseEvent *event);
    void move(QWidget *window, QMouseEvent *event);
    void release();
    // Handles a mouse press, move or release on a drag surface of window;
    // true when the event was one of those (and is consumed).
    bool handle(QWidget *window, QEvent *event);

private:
    bool m_manual = false;
    QPoint m_grabOffset;
};
