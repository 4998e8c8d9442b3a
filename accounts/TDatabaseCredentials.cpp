#include "accounts/TDatabaseCredentials.h"

TDatabaseCredentials TDatabaseCredentials::fromConfig(const DeploymentConfig &config)
{
    TDatabaseCredentials c;
    c.Driver = config.dbDriver;
    c.DataSource = config.dbDriver == QLatin1String("QSQLITE") ? config.sqliteFile() : config.dbSource;
    c.Database = config.dbName;
    c.Username = config.dbUser;
    c.Password = config.dbPassword;
    return c;
}
