#pragma once

#include "link/ClockLabels.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Time texts of the controller clock page and the schedules.

// str with "0" put in front up to str_len characters; a longer text is kept whole.
QString NumStringFillZeroes(const QString &str, int str_len);

// A time text in the PC's format ("2:30:15 PM", "14:30") as 24-hour parts:
// part 0 the hour, part 1 the minute, then the rest; at least three parts.
QStringList GetTime(const QString &T);

// Name of ISO weekday 1 (Monday) .. 7 (Sunday); empty for any other number.
QString weekdayName(int isoWeekday);

// PC block: "hh:mm", "dd/MM/yyyy" and the weekday name of when.
ClockLabels pcClockLabels(const QDateTime &when);

// Controller block from a clock answer (fields 4 to 9: year, month, day,
// weekday, hour, minute). Updates the labels as far as the answer allows;
// a weekday outside 1..7 leaves the day label alone. Returns true when the
// time label was reached.
bool applyClockAnswer(const QStringList &fields, ClockLabels &labels);
