#pragma once

#include <QList>

// One command received on a controller's "/Out" topic, already checked for shape.
struct WireCommand {
    enum class Function {
        WriteHoldingBatch = 3,
        ReadHoldingBatch = 4,
        WriteHolding = 6,
        ReadHolding = 7,
        AddSchedule = 8,
        ListSchedules = 9,
        DeleteAllSchedules = 11,
        DeleteSchedule = 12,
        SetClock = 13,
        ReadAnalogBatch = 14,
    };

    Function function = Function::ListSchedules;
    QList<int> arguments; // the fields after the function code
};
