#pragma once

#include <QString>

// Values of one deployment: where the database and the broker are, and the
// built-in installer account. The program takes the compiled-in set; tests
// build their own.
struct DeploymentConfig {
    QString dbDriver;       // "QSQLITE" or "QODBC"
    QString dbSource;       // SQLite file path, or the SQL Server host
    QString dbName;
    QString dbUser;
    QString dbPassword;
    QString brokerHost;
    int brokerPort = 8883;
    QString brokerUser;
    QString brokerPassword;
    QString installerUser;  // empty: the built-in installer account does not exist
    QString installerPassword;

    // The set chosen when the program was configured.
    static DeploymentConfig compiledIn();

    // Where the SQLite database lives: dbSource, or termovia.sqlite in the
    // per-user data folder when dbSource is empty.
    QString sqliteFile() const;

    bool hasBuiltInInstaller() const { return !installerUser.isEmpty(); }
};
