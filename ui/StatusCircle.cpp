#include "ui/StatusCircle.h"

#include <QPainter>

StatusCircle::StatusCircle(QWidget *parent) : QWidget(parent)
{
    setFixedSize(33, 19);
}

void StatusCircle::setFill(QRgb argb)
{
    if (m_fill == argb)
        return;
    m_fill = argb;
    update();
}

void StatusCircle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(QColor::fromRgba(m_fill));
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
