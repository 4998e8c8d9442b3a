#pragma once

#include "tools/controller-sim/ScheduleEntry.h"
#include "tools/controller-sim/WireCommand.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The controllers' text format: semicolon-terminated decimal fields, the first the number of fields
// that follow, the second a function code.
class WireCodec {
public:
    // Largest register count a read may ask for; longer reads are refused rather than answered.
    static constexpr int MaxReadCount = 125;

    // Parses a command; on failure returns nothing and, if asked, says why.
    static std::optional<WireCommand> parseCommand(const QByteArray &payload, QString *reason = nullptr);

    static QByteArray holdingBatchAnswer(int start, const QList<int> &values);
    static QByteArray holdingAnswer(int reg, int value);
    // Clock registers (30 to 36 but the weekday) are written with two digits, like the set-clock command.
    static QByteArray analogBatchAnswer(int start, const QList<int> &values);
    static QByteArray emptyScheduleAnswer();
    static QByteArray scheduleEntryAnswer(int number, int total, const ScheduleEntry &entry);

    // Payload text fit for one log line: bytes outside printable ASCII become \xNN.
    static QByteArray printable(const QByteArray &payload);
};
