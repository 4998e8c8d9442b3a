#pragma once

#include "panels/LayoutTable.h"
#include "panels/TDeviceNames.h"

#include <QString>
#include <QStringList>

// How a field's caption and picture follow from its layout row and the
// controller's own captions: the controller's text when it has one, else the
// layout's default.
class LayoutCaptions {
public:
    // `text`, or `defText` when `text` is empty.
    static QString choose(const QString &text, const QString &defText);
    // `captionTemplate` with every "**" replaced by `sqlText`, or by `defText` when `sqlText` is empty.
    static QString fillTemplate(const QString &captionTemplate, const QString &sqlText,
                                const QString &defText);
    // `sqlImage` when it is 1 or more, else `defaultPicture`.
    static int picture(int sqlImage, int defaultPicture);

    static QString sensorCaption(const SensorTileEntry &tile, const TDeviceNames &names);
    static int sensorPicture(const SensorTileEntry &tile, const TDeviceNames &names);
    static QString outputCaption(const OutputRowEntry &row, const TDeviceNames &names);
    static QString wantedTempCaption(const WantedTempEntry &field, const TDeviceNames &names);
    static QString switchTemplate(const SwitchEntry &sw);
    static QString switchSqlText(const SwitchEntry &sw, const TDeviceNames &names);
    static QString switchCaption(const SwitchEntry &sw, const TDeviceNames &names);
    // The names of the schedule tabs, in the layout's order.
    static QStringList scheduleTabNames(const LayoutTable &layout, const TDeviceNames &names);
};
