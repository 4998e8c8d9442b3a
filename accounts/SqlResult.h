#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The rows of one SELECT, read by column name. Column names match without
// regard to case, as both database engines do.
class SqlResult {
public:
    SqlResult() = default;
    SqlResult(QStringList columns, QList<QList<QVariant>> rows);

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool hasColumn(const QString &column) const { return columnIndex(column) >= 0; }
    const QStringList &columns() const { return m_columns; }

    // NULL reads as empty text. Throws SqlError for a missing column or row.
    QString text(int row, const QString &column) const;
    // NULL reads as 0. Throws SqlError for a missing column or row, and for a
    // value that is not a whole number.
    int integer(int row, const QString &column) const;
    // The raw value (invalid QVariant for NULL). Throws for a missing column or row.
    QVariant value(int row, const QString &column) const;

private:
    int columnIndex(const QString &column) const;
    const QVariant &cell(int row, const QString &column) const;
    QStringList m_columns;
    QList<QList<QVariant>> m_rows;
};
