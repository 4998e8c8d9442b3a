#include "panels/RoundedPanel.h"

#include <QPainter>

RoundedPanel::RoundedPanel(QWidget *parent, QColor fill, qreal radius)
    : QWidget(parent), m_fill(fill), m_radius(radius)
{
}

void RoundedPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fill);
    painter.drawRoundedRect(QRectF(rect()), m_radius, m_radius);
}
