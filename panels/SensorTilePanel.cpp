#include "panels/SensorTilePanel.h"

#include <QRect>

namespace {

constexpr int captionHeight = 25;
constexpr int pictureRightMargin = 70;
constexpr int valueWidth = 70;
constexpr int valueHeight = 50;
constexpr int valueHalfMargin = 65; // bottom margin of the upper value, top margin of the lower one

// A rectangle of the given size centred in `area`.
QRect centredIn(const QRect &area, QSize size)
{
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

} // namespace

SensorTilePanel::SensorTilePanel(QWidget *parent) : RoundedPanel(parent)
{
    resize(defaultWidth, defaultHeight);
}

void SensorTilePanel::setParts(QWidget *caption, QWidget *picture, QWidget *upperValue, QWidget *lowerValue)
{
    m_caption = caption;
    m_picture = picture;
    m_upperValue = upperValue;
    m_lowerValue = lowerValue;
    placeParts();
}

void SensorTilePanel::resizeEvent(QResizeEvent *event)
{
    RoundedPanel::resizeEvent(event);
    placeParts();
}

void SensorTilePanel::placeParts()
{
    const QRect all = rect();
    if (m_caption)
        m_caption->setGeometry(0, 0, all.width(), captionHeight);
    if (m_picture) {
        // 0.55 of the tile's own size, centred left of the middle.
        const QSize size(defaultWidth * 55 / 100, defaultHeight * 55 / 100);
        m_picture->setGeometry(centredIn(all.adjusted(0, 0, -pictureRightMargin, 0), size));
    }
    const QRect valueArea = all.adjusted(defaultWidth / 4, 0, 0, 0);
    const QSize valueSize(valueWidth, valueHeight);
    if (m_upperValue) {
        const QRect area = m_lowerValue ? valueArea.adjusted(0, 0, 0, -valueHalfMargin) : valueArea;
        m_upperValue->setGeometry(centredIn(area, valueSize));
    }
    if (m_lowerValue)
        m_lowerValue->setGeometry(centredIn(valueArea.adjusted(0, valueHalfMargin, 0, 0), valueSize));
}
