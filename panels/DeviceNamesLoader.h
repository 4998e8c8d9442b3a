#pragma once

#include "panels/TDeviceNames.h"

#include <QString>

class SqlConnection;

// Reads the captions of the controller with the given serial number from the
// Names table into `out`, which is rewritten completely on every path.
// Returns true when the row, or the absence of a row, was read without error
// (no row: every caption empty, every picture 0). Any failure (no connection,
// a failed statement, a missing column, a value of the wrong type) leaves every
// caption empty and every picture -1, and returns false. Never raises.
bool GetNamesFromSQL(SqlConnection &connection, const QString &ADeviceSerial, TDeviceNames &out);
// The same with an optional connection: none counts as a failed load.
bool GetNamesFromSQL(SqlConnection *connection, const QString &ADeviceSerial, TDeviceNames &out);
