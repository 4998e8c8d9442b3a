#include "ui/CoverLayer.h"

#include "ui/BusyIndicator.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

CoverLayer::CoverLayer(QWidget *window) : QWidget(window), m_indicator(new BusyIndicator(this))
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    if (window) {
        setGeometry(window->rect());
        window->installEventFilter(this);
    }
    m_indicator->setGeometry(rect());
}

void CoverLayer::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgba(0xDDFFFFFFu));
}

void CoverLayer::mousePressEvent(QMouseEvent *event)
{
    m_mover.press(window(), event);
    event->accept();
}

void CoverLayer::mouseMoveEvent(QMouseEvent *event)
{
    m_mover.move(window(), event);
    event->accept();
}

void CoverLayer::mouseReleaseEvent(QMouseEvent *event)
{
    m_mover.release();
    event->accept();
}

void CoverLayer::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void CoverLayer::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

bool CoverLayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        m_indicator->setGeometry(rect());
    }
    return QWidget::eventFilter(watched, event);
}
