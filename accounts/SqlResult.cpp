#include "accounts/SqlResult.h"

#include "accounts/SqlError.h"

#include <cmath>
#include <limits>

SqlResult::SqlResult(QStringList columns, QList<QList<QVariant>> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

int SqlResult::columnIndex(const QString &column) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const QVariant &SqlResult::cell(int row, const QString &column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw SqlError(QStringLiteral("The result has no column \"%1\"").arg(column));
    if (row < 0 || row >= m_rows.size())
        throw SqlError(QStringLiteral("The result has no row %1 (it has %2)").arg(row).arg(m_rows.size()));
    const QList<QVariant> &cells = m_rows.at(row);
    if (index >= cells.size())
        throw SqlError(QStringLiteral("Row %1 has no value for column \"%2\"").arg(row).arg(column));
    return cells.at(index);
}

QVariant SqlResult::value(int row, const QString &column) const
{
    const QVariant &v = cell(row, column);
    return v.isNull() ? QVariant() : v;
}

QString SqlResult::text(int row, const QString &column) const
{
    const QVariant &v = cell(row, column);
    if (v.isNull())
        return QString();
    return v.toString();
}

namespace {

[[noreturn]] void notWhole(const QString &column, const QVariant &v)
{
    throw SqlError(
        QStringLiteral("The value \"%1\" of column \"%2\" is not a whole number").arg(v.toString(), column));
}

bool fitsInt(long double n)
{
    return n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
}

} // namespace

int SqlResult::integer(int row, const QString &column) const
{
    const QVariant &v = cell(row, column);
    if (v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong n = v.toLongLong();
        if (!fitsInt(n))
            notWhole(column, v);
        return int(n);
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong n = v.toULongLong();
        if (n > qulonglong(std::numeric_limits<int>::max()))
            notWhole(column, v);
        return int(n);
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || !fitsInt(d))
            notWhole(column, v);
        return int(d);
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok, 10);
        if (!ok)
            notWhole(column, v);
        return n;
    }
    default:
        notWhole(column, v);
    }
}
