#pragma once

#include <stdexcept>
#include <string>

#include <QString>

// A failed statement, a lost connection or a column the result does not have.
// Raised by the database layer and caught by the handler that ran the
// statement, which shows its own message or stays silent.
class SqlError : public std::runtime_error {
public:
    explicit SqlError(const QString &what) : std::runtime_error(what.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};
