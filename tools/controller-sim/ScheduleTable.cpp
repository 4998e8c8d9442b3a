#include "tools/controller-sim/ScheduleTable.h"

namespace {

int minuteOfWeek(int weekday, int hour, int minute)
{
    return ((weekday - 1) * 24 + hour) * 60 + minute;
}

} // namespace

int ScheduleTable::add(int weekdayMask, int hour, int minute, int output, int state, int temperature)
{
    if (weekdayMask < 1 || weekdayMask > 127 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        output < 1 || output > 4)
        return 0;
    QList<ScheduleEntry> added;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        if (weekdayMask & (1 << (7 - weekday)))
            added.append({weekday, hour, minute, output, state, temperature});
    }
    if (m_entries.size() + added.size() > MaxEntries)
        return 0;
    m_entries += added;
    return int(added.size());
}

bool ScheduleTable::remove(int number)
{
    if (number < 1 || number > m_entries.size())
        return false;
    m_entries.removeAt(number - 1);
    return true;
}

std::optional<ScheduleEntry> ScheduleTable::entryInForce(int output, int weekday, int hour, int minute) const
{
    constexpr int MinutesPerWeek = 7 * 24 * 60;
    const int now = minuteOfWeek(weekday, hour, minute);
    std::optional<ScheduleEntry> best;
    int bestAge = MinutesPerWeek;
    for (const ScheduleEntry &entry : m_entries) {
        if (entry.output != output)
            continue;
        const int age =
            (now - minuteOfWeek(entry.weekday, entry.hour, entry.minute) + MinutesPerWeek) % MinutesPerWeek;
        if (age <= bestAge) { // of two entries due at the same minute the later one wins
            bestAge = age;
            best = entry;
        }
    }
    return best;
}
