#pragma once

#include "app/DeploymentConfig.h"

#include <QString>

// Where and as whom the one database connection logs in.
struct TDatabaseCredentials {
    QString Driver;      // Qt SQL driver: "QSQLITE" or "QODBC"
    QString DataSource;  // SQLite file path, or the SQL Server host
    QString Database;
    QString Username;
    QString Password;

    static TDatabaseCredentials fromConfig(const DeploymentConfig &config);
};
