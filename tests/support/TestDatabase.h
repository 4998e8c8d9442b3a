#pragma once

#include "app/DeploymentConfig.h"

#include <QString>
#include <QTemporaryDir>

// A SQLite database file made from the shipped schema (and, when asked, the
// demo seed) in a temporary folder. Extra rows go in through the sqlite3
// command-line tool, so the code under test is the only Qt SQL user.
class TestDatabase {
public:
    enum class Content { SchemaOnly, DemoSeed };
    explicit TestDatabase(Content content = Content::SchemaOnly);

    bool isValid() const { return m_ok; }
    QString path() const { return m_path; }

    // Runs SQL text through sqlite3; returns false (and prints) on error.
    bool exec(const QString &sql) const;
    // Runs a query through sqlite3 and returns its output (list mode, "|" separated).
    QString query(const QString &sql) const;

    // A deployment pointing at this file (broker values left empty).
    DeploymentConfig config() const;

    static QString sourceFile(const QString &relative);

private:
    bool runScript(const QString &file) const;
    QTemporaryDir m_dir;
    QString m_path;
    bool m_ok = false;
};
