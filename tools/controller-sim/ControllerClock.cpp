#include "tools/controller-sim/ControllerClock.h"

bool ControllerClock::set(int year, int month, int day, int weekday, int hour, int minute, int second)
{
    if (year < 0 || year > 99 || weekday < 1 || weekday > 7)
        return false;
    const QDate date(2000 + year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return false;
    m_setTo = QDateTime(date, time, Qt::UTC);
    m_sinceSet.start();
    m_weekdayShift = weekday - date.dayOfWeek();
    return true;
}

QDateTime ControllerClock::now() const
{
    if (m_setTo.isValid())
        return m_setTo.addMSecs(m_sinceSet.elapsed());
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

int ControllerClock::weekday() const
{
    return (now().date().dayOfWeek() - 1 + m_weekdayShift + 7) % 7 + 1;
}
