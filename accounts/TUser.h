#pragma once

#include <QString>
#include <array>

// The logged-in owner (or the controller an installer picked).
struct TUser {
    QString Name;
    int UserID = 0;       // k_id; -1 after logout
    QString Password;     // as typed at login
    int AccessLvl = 0;    // k_tip: 0 administrator, 1 further user; -1 after logout
    QString ActiveDeviceName;
    QString ActiveTopic;  // serial number of the controller in use, root of its topics
    QString MainDeviceName;
    QString MainDeviceTopic;
    std::array<QString, 5> OtherDeviceTopic;
};
