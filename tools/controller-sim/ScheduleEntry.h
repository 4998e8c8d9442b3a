#pragma once

// One weekly switching entry of one output, as the controller keeps it: a single weekday.
struct ScheduleEntry {
    int weekday = 1; // 1 Monday .. 7 Sunday
    int hour = 0;
    int minute = 0;
    int output = 1; // 1..4
    int state = 0;  // 1 switches on, anything else off
    int temperature = 0;

    friend bool operator==(const ScheduleEntry &, const ScheduleEntry &) = default;
};
