#pragma once

#include <QString>
#include <optional>

// Reads text that is exactly a decimal whole number: an optional sign and one
// or more digits, nothing else (no blanks, fraction, exponent or hex). A
// number too large for 64 bits saturates, keeping its sign.
std::optional<qint64> parseStrictInteger(const QString &text);
