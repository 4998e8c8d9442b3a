#pragma once

#include <QString>

// Texts of the three clock labels of one block (PC or controller).
struct ClockLabels {
    QString date;
    QString day;
    QString time;
};
