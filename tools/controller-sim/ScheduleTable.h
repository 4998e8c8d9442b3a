#pragma once

#include "tools/controller-sim/ScheduleEntry.h"

#include <QList>
#include <optional>

// The controller's list of weekly switching entries. An add names several weekdays at once by a mask
// (Monday 64 .. Sunday 1); the list keeps one entry per weekday, numbered from 1 in list order.
class ScheduleTable {
public:
    static constexpr int MaxEntries = 64;

    // Returns the number of entries added: 0 for an invalid request or a full list (nothing is added then).
    int add(int weekdayMask, int hour, int minute, int output, int state, int temperature);
    bool remove(int number); // number counted from 1
    void clear() { m_entries.clear(); }

    const QList<ScheduleEntry> &entries() const { return m_entries; }

    // The entry of this output that was last due at the given week time, looking back across the week
    // boundary; nothing when the output has no entries.
    std::optional<ScheduleEntry> entryInForce(int output, int weekday, int hour, int minute) const;

private:
    QList<ScheduleEntry> m_entries;
};
