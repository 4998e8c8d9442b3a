#include "link/Command.h"

namespace {

QString num(int v)
{
    return QString::number(v);
}

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace Command {

QString WriteHREG(int reg, int value)
{
    return QStringLiteral("3;6;") + num(reg) + u';' + num(value) + u';';
}

QString WriteBatchHREG(int start, const QList<int> &values)
{
    const qint64 n = values.size();
    QString payload =
        QString::number(n + 3) + QStringLiteral(";3;") + num(start) + u';' + QString::number(n) + u';';
    for (int v : values)
        payload += num(v) + u';';
    return payload;
}

QString ReadHREG(int reg)
{
    return QStringLiteral("2;7;") + num(reg) + u';';
}

QString ReadAREG(int reg)
{
    return QStringLiteral("3;14;") + num(reg) + QStringLiteral(";1;");
}

QString ReadBatchHREG(int start, int regNum)
{
    return QStringLiteral("3;4;") + num(start) + u';' + num(regNum) + u';';
}

QString ReadBatchAREG(int start, int regNum)
{
    return QStringLiteral("3;14;") + num(start) + u';' + num(regNum) + u';';
}

QString SetClock(const QDateTime &when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QStringLiteral("8;13;") + twoDigits(d.year() % 100) + u';' + twoDigits(d.month()) + u';' +
           twoDigits(d.day()) + u';' + num(d.dayOfWeek()) + u';' + twoDigits(t.hour()) + u';' +
           twoDigits(t.minute()) + u';' + twoDigits(t.second()) + u';';
}

QString ListSchedules()
{
    return QStringLiteral("1;9;");
}

QString AddSchedule(int dayMask, const QString &hour, const QString &minute, int output, bool switchOn,
                    int temperature)
{
    return QStringLiteral("9;8;") + num(dayMask) + u';' + hour + u';' + minute + QStringLiteral(";00;") +
           num(output) + u';' + (switchOn ? QStringLiteral("1") : QStringLiteral("0")) +
           QStringLiteral(";0;") + num(temperature) + u';';
}

QString DeleteAllSchedules()
{
    return QStringLiteral("1;11;");
}

QString DeleteSchedule(const QString &entry)
{
    return QStringLiteral("2;12;") + entry + u';';
}

} // namespace Command
