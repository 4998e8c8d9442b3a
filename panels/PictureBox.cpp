#include "panels/PictureBox.h"

#include "ui/PictureList.h"

#include <QPainter>

PictureBox::PictureBox(const PictureList &pictures, QWidget *parent) : QWidget(parent), m_pictures(pictures)
{
}

void PictureBox::setPicture(int number)
{
    if (number == m_number)
        return;
    m_number = number;
    // Numbers come from the controller or the database: anything without a
    // picture (negative, unknown, beyond the list) is shown as nothing.
    m_showing = number >= 0 && m_pictures.has(number);
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const QRect area = contentsRect();
    if (!m_showing || area.isEmpty())
        return;
    // Drawn at the size the box has now; the list keeps rendered sizes.
    const QPixmap pixmap = m_pictures.pixmap(m_number, area.size());
    if (!pixmap.isNull())
        QPainter(this).drawPixmap(area.topLeft(), pixmap);
}
