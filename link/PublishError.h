#pragma once

#include <stdexcept>

#include <QString>

// A command that could not be handed to the broker (no connection, or the
// client refused it). The command is lost; the handler that sent it shows the
// error and skips the rest of its work.
class PublishError : public std::runtime_error {
public:
    explicit PublishError(const QString &what) : std::runtime_error(what.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};
