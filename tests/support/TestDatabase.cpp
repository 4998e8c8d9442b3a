#include "support/TestDatabase.h"

#include <QDebug>
#include <QFile>
#include <QProcess>

TestDatabase::TestDatabase(Content content)
{
    if (!m_dir.isValid())
        return;
    m_path = m_dir.filePath(QStringLiteral("termovia.sqlite"));
    m_ok = runScript(sourceFile(QStringLiteral("db/sqlite/schema.sql")));
    if (m_ok && content == Content::DemoSeed)
        m_ok = runScript(sourceFile(QStringLiteral("db/sqlite/demo-seed.sql")));
}

QString TestDatabase::sourceFile(const QString &relative)
{
    return QStringLiteral(TERMOVIA_SOURCE_DIR "/") + relative;
}

bool TestDatabase::runScript(const QString &file) const
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot read" << file;
        return false;
    }
    return exec(QString::fromUtf8(f.readAll()));
}

bool TestDatabase::exec(const QString &sql) const
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), m_path});
    if (!p.waitForStarted(5000))
        return false;
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(30000);
    if (p.exitCode() != 0) {
        qWarning() << "sqlite3 failed:" << p.readAllStandardError();
        return false;
    }
    return true;
}

QString TestDatabase::query(const QString &sql) const
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {m_path, sql});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

DeploymentConfig TestDatabase::config() const
{
    DeploymentConfig c;
    c.dbDriver = QStringLiteral("QSQLITE");
    c.dbSource = m_path;
    c.dbName = QStringLiteral("zazudavaro243");
    return c;
}
