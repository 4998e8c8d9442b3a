#include "panels/LayoutCaptions.h"

QString LayoutCaptions::choose(const QString &text, const QString &defText)
{
    return text.isEmpty() ? defText : text;
}

QString LayoutCaptions::fillTemplate(const QString &captionTemplate, const QString &sqlText,
                                     const QString &defText)
{
    QString caption = captionTemplate;
    return caption.replace(QStringLiteral("**"), choose(sqlText, defText));
}

int LayoutCaptions::picture(int sqlImage, int defaultPicture)
{
    return sqlImage >= 1 ? sqlImage : defaultPicture;
}

QString LayoutCaptions::sensorCaption(const SensorTileEntry &tile, const TDeviceNames &names)
{
    return choose(TDeviceNames::at(names.TempSensors, tile.slot), tile.defaultCaption);
}

int LayoutCaptions::sensorPicture(const SensorTileEntry &tile, const TDeviceNames &names)
{
    return picture(names.imageAt(tile.slot), tile.defaultPicture);
}

QString LayoutCaptions::outputCaption(const OutputRowEntry &row, const TDeviceNames &names)
{
    return choose(TDeviceNames::at(names.Relays, row.slot), row.defaultCaption);
}

QString LayoutCaptions::wantedTempCaption(const WantedTempEntry &field, const TDeviceNames &names)
{
    return fillTemplate(field.captionTemplate, TDeviceNames::at(names.WantedTemps, field.slot),
                        field.defaultName);
}

QString LayoutCaptions::switchTemplate(const SwitchEntry &sw)
{
    return QString::fromUtf8(sw.isTimer() ? timerSwitchTemplate : plainSwitchTemplate);
}

QString LayoutCaptions::switchSqlText(const SwitchEntry &sw, const TDeviceNames &names)
{
    return TDeviceNames::at(sw.isTimer() ? names.TimerCheckboxes : names.CheckBoxDevices, sw.slot);
}

QString LayoutCaptions::switchCaption(const SwitchEntry &sw, const TDeviceNames &names)
{
    return fillTemplate(switchTemplate(sw), switchSqlText(sw, names), sw.defaultName);
}

QStringList LayoutCaptions::scheduleTabNames(const LayoutTable &layout, const TDeviceNames &names)
{
    QStringList tabNames;
    for (const ScheduleTabEntry &tab : layout.scheduleTabs)
        tabNames.append(choose(TDeviceNames::at(names.TimerCheckboxes, tab.slot), tab.defaultName));
    return tabNames;
}
