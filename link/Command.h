#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Payloads of the commands a controller understands. Every number is plain
// decimal and every field is followed by ";"; the first field counts the
// fields after it.
namespace Command {

QString WriteHREG(int reg, int value);
QString WriteBatchHREG(int start, const QList<int> &values);
QString ReadHREG(int reg);
QString ReadAREG(int reg);
QString ReadBatchHREG(int start, int regNum);
QString ReadBatchAREG(int start, int regNum);

// Sets the controller clock: two-digit year, month, day, ISO weekday
// (1 Monday .. 7 Sunday), then two-digit hours, minutes, seconds.
QString SetClock(const QDateTime &when);

QString ListSchedules();
// dayMask: Monday 64 .. Sunday 1; hour and minute go out as the texts given.
QString AddSchedule(int dayMask, const QString &hour, const QString &minute, int output, bool switchOn,
                    int temperature);
QString DeleteAllSchedules();
// entry: the entry number as the controller sent it.
QString DeleteSchedule(const QString &entry);

} // namespace Command
