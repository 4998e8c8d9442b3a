#pragma once

#include "ui/WindowMover.h"

#include <QWidget>

class BusyIndicator;

// A translucent white layer ($DDFFFFFF) over the whole window with a spinning
// indicator. It takes every click, so the controls below cannot be used, and
// dragging it with the left button moves the window like the title strip.
// It keeps itself the size of its parent.
class CoverLayer : public QWidget {
    Q_OBJECT
public:
    explicit CoverLayer(QWidget *window);

    BusyIndicator *indicator() const { return m_indicator; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    BusyIndicator *m_indicator;
    WindowMover m_mover;
};
