#include "ui/BusyIndicator.h"

#include <QPainter>

BusyIndicator::BusyIndicator(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer.setInterval(16);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 6) % 360;
        update();
    });
}

void BusyIndicator::setRunning(bool running)
{
    if (running)
        m_timer.start();
    else
        m_timer.stop();
    update();
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    if (!isRunning())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = 48;
    const QRectF box((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    QPen track(QColor(0, 0, 0, 30), 5);
    p.setPen(track);
    p.drawEllipse(box);
    QPen arc(QColor(0x2b, 0x6c, 0xb0), 5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(arc);
    p.drawArc(box, -m_angle * 16, 100 * 16);
}
