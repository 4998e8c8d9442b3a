#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

// One statement with its values bound by name (":KUSER" in the text is bound
// as "KUSER"). Values never become part of the text.
struct SqlStatement {
    QString text;
    QList<QPair<QString, QVariant>> params;

    SqlStatement() = default;
    explicit SqlStatement(QString sql) : text(std::move(sql)) {}

    // A statement appended line by line: the lines are sent joined with CR LF.
    static SqlStatement fromLines(const QStringList &lines)
    {
        return SqlStatement(lines.join(QStringLiteral("\r\n")));
    }

    SqlStatement &bind(const QString &name, const QVariant &value)
    {
        params.append({name, value});
        return *this;
    }
};
