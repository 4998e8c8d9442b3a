#include "panels/SensorTileFlow.h"

#include <QWidget>
#include <algorithm>

namespace {
constexpr int tileMargin = 3; // around every tile
}

int sensorTileWidth(int areaWidth, int tileCount)
{
    int width;
    if (areaWidth < 300)
        width = areaWidth - 8;
    else if (areaWidth < 800)
        width = areaWidth / 2 - 8;
    else
        width = areaWidth / std::max(tileCount, 1) - 8;
    return std::max(width, 0);
}

void FlowLayoutSensorsResize(QWidget *flowLayoutSensors, QWidget *listBoxItemSensors)
{
    if (!flowLayoutSensors || !listBoxItemSensors)
        return;
    // Only what really changes is touched: this runs before every paint of the
    // main tab control, and a geometry change here would ask for another paint.
    const QList<QWidget *> tiles = flowLayoutSensors->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const int areaWidth = flowLayoutSensors->width();
    const int width = sensorTileWidth(areaWidth, int(tiles.size()));
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    int bottom = 0;
    for (QWidget *tile : tiles) {
        const int outerWidth = width + 2 * tileMargin;
        const int outerHeight = tile->height() + 2 * tileMargin;
        if (x > 0 && x + outerWidth > areaWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        const QRect place(x + tileMargin, y + tileMargin, width, tile->height());
        if (tile->geometry() != place)
            tile->setGeometry(place);
        x += outerWidth;
        rowHeight = std::max(rowHeight, outerHeight);
        bottom = std::max(bottom, place.bottom() + 1);
    }
    if (listBoxItemSensors->minimumHeight() != bottom || listBoxItemSensors->maximumHeight() != bottom)
        listBoxItemSensors->setFixedHeight(bottom);
}
