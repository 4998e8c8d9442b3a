#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The simulator's command line.
struct SimulatorOptions {
    QString host = QStringLiteral("127.0.0.1");
    int port = 1883;
    QString user;
    QString password;
    QStringList serials;
    QList<int> schematics = {1}; // one per serial, in order; the last one serves the remaining serials
    int dropPercent = 0;
    bool malformed = false;
    int delayMs = 0;
    std::optional<quint32> seed;

    int schematicFor(int serialIndex) const;

    // Parses the arguments (the program name first); on failure returns nothing and sets error, which is
    // empty when help was asked for.
    static std::optional<SimulatorOptions> parse(const QStringList &arguments, QString *error, QString *help);
};
