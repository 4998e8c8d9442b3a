#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// The controller's own clock: it follows the PC's local time until it is set, then runs on from the set
// time. The weekday is kept as it was set, even when it does not fit the date.
class ControllerClock {
public:
    // Two-digit year; false (and the clock unchanged) for a date or time that does not exist.
    bool set(int year, int month, int day, int weekday, int hour, int minute, int second);

    QDateTime now() const; // wall time without a time zone
    int weekday() const;   // 1 Monday .. 7 Sunday

private:
    QDateTime m_setTo;
    QElapsedTimer m_sinceSet;
    int m_weekdayShift = 0;
};
