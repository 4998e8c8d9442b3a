#include "panels/DeviceNamesLoader.h"

#include "accounts/SqlConnection.h"
#include "accounts/SqlError.h"

namespace {

TDeviceNames readRow(const SqlResult &result)
{
    TDeviceNames names;
    if (result.isEmpty())
        return names;
    for (int n = 1; n <= TDeviceNames::slotCount; ++n) {
        const QString digit = QString::number(n);
        const auto slot = std::size_t(n);
        names.TempSensors[slot] = result.text(0, QStringLiteral("TempSensor") + digit);
        names.TempImages[slot] = result.integer(0, QStringLiteral("TempImg") + digit);
        names.Relays[slot] = result.text(0, QStringLiteral("Relay") + digit);
        names.WantedTemps[slot] = result.text(0, QStringLiteral("WantedTemp") + digit);
        names.CheckBoxDevices[slot] = result.text(0, QStringLiteral("CheckBoxDevice") + digit);
        names.TimerCheckboxes[slot] = result.text(0, QStringLiteral("TimerCheckBox") + digit);
    }
    for (int n = 1; n <= TDeviceNames::plotCount; ++n)
        names.Plot[std::size_t(n)] = result.text(0, QStringLiteral("Plot") + QString::number(n));
    return names;
}

} // namespace

bool GetNamesFromSQL(SqlConnection &connection, const QString &ADeviceSerial, TDeviceNames &out)
{
    try {
        SqlStatement statement(QStringLiteral("SELECT * FROM Names WHERE DeviceID = :ADevID"));
        statement.bind(QStringLiteral("ADevID"), ADeviceSerial);
        // Built aside and assigned whole, so a failure halfway leaves no mixture.
        out = readRow(connection.query(statement));
        return true;
    } catch (...) {
        out = TDeviceNames::failed();
        return false;
    }
}

bool GetNamesFromSQL(SqlConnection *connection, const QString &ADeviceSerial, TDeviceNames &out)
{
    if (!connection) {
        out = TDeviceNames::failed();
        return false;
    }
    return GetNamesFromSQL(*connection, ADeviceSerial, out);
}
