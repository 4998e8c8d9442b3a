#include "link/ClockText.h"

#include "link/AnswerFields.h"

#include <array>

namespace {

const std::array<QString, 7> &weekdayNames()
{
    static const std::array<QString, 7> names = {
        QStringLiteral("Понеделник"), QStringLiteral("Вторник"), QStringLiteral("Среда"),
        QStringLiteral("Четврток"),   QStringLiteral("Петок"),   QStringLiteral("Сабота"),
        QStringLiteral("Недела"),
    };
    return names;
}

} // namespace

QString NumStringFillZeroes(const QString &str, int str_len)
{
    if (str.size() >= str_len)
        return str;
    return QString(str_len - str.size(), u'0') + str;
}

QStringList GetTime(const QString &T)
{
    const QString upper = T.toUpper();
    const bool am = upper.contains(QLatin1String("AM"));
    const bool pm = upper.contains(QLatin1String("PM"));
    QStringList parts = splitFields(T, u':');
    while (parts.size() < 3)
        parts.append(QStringLiteral("00"));
    const std::optional<int> hour = readStrictInt(parts[0]);
    if (pm && hour && *hour != 12)
        parts[0] = QString::number(*hour + 12);
    else if (am && hour && *hour == 12)
        parts[0] = QStringLiteral("0");
    return parts;
}

QString weekdayName(int isoWeekday)
{
    if (isoWeekday < 1 || isoWeekday > 7)
        return QString();
    return weekdayNames()[isoWeekday - 1];
}

ClockLabels pcClockLabels(const QDateTime &when)
{
    ClockLabels labels;
    labels.time = when.time().toString(QStringLiteral("HH:mm"));
    labels.date = when.date().toString(QStringLiteral("dd/MM/yyyy"));
    labels.day = weekdayName(when.date().dayOfWeek());
    return labels;
}

bool applyClockAnswer(const QStringList &fields, ClockLabels &labels)
{
    if (fields.size() <= 6)
        return false;
    labels.date = NumStringFillZeroes(fields[6], 2) + u'/' + NumStringFillZeroes(fields[5], 2) + u'/' +
                  NumStringFillZeroes(fields[4], 2);
    if (fields.size() <= 7)
        return false;
    const std::optional<int> weekday = readStrictInt(fields[7]);
    if (!weekday)
        return false;
    if (*weekday >= 1 && *weekday <= 7)
        labels.day = weekdayName(*weekday);
    if (fields.size() <= 9)
        return false;
    labels.time = NumStringFillZeroes(fields[8], 2) + u':' + NumStringFillZeroes(fields[9], 2);
    return true;
}
