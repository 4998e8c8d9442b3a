#include "ui/WindowMover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

void WindowMover::press(QWidget *window, QMouseEvent *event)
{
    m_manual = false;
    if (!window || event->button() != Qt::LeftButton)
        return;
    QWindow *handle = window->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_manual = true;
    m_grabOffset = event->globalPosition().toPoint() - window->frameGeometry().topLeft();
}

void WindowMover::move(QWidget *window, QMouseEvent *event)
{
    if (!m_manual || !window || !(event->buttons() & Qt::LeftButton))
        return;
    window->move(event->globalPosition().toPoint() - m_grabOffset);
}

void WindowMover::release()
{
    m_manual = false;
}

bool WindowMover::handle(QWidget *window, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(window, static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        move(window, static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        release();
        return true;
    default:
        return false;
    }
}
