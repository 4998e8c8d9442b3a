#pragma once

#include <QByteArray>

// One answer of a controller: published on its serial number followed by topicSuffix.
struct WireAnswer {
    QByteArray topicSuffix; // "/Ret", "/ARet" or "/S"
    QByteArray payload;
};
