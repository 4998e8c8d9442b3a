#pragma once

#include <QString>

// Everything one connection to the broker needs. Plain TCP, MQTT 3.1.1, no
// last will, small packets sent at once (no Nagle delay).
struct MqttSettings {
    QString host;
    int port = 8883;
    QString user; // empty: connect anonymously
    QString password;
    QString clientId;
    int keepAliveSeconds = 90; // at least 5
    int reconnectDelaySeconds = 10;
};
