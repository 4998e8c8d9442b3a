#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the answer dispatch hands to the parts of the window outside the
// link. Every hook may be left empty; an empty hook is skipped.
struct DispatchHooks {
    // An answer was processed: the status circle turns green.
    std::function<void()> circleGreen;
    // Clock answer ("10;14;30;..."): the fields, for applyClockAnswer.
    std::function<void(const QStringList &fields)> clockAnswer;
    // "3;9;1;0;": the controller holds no schedule entries.
    std::function<void()> clearSchedules;
    // "11;9;...": one schedule entry; the fields and the whole answer text.
    std::function<void(const QStringList &fields, const QString &text)> addScheduleEntry;

    // The installer's parameter list: number of rows, the register number of
    // row k (0-based), and showing a new value in row k.
    std::function<int()> installerRowCount;
    std::function<int(int row)> installerRowNum;
    std::function<void(int row, int value)> installerUpdateVal;
};
