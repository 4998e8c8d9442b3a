#pragma once

#include <QStringView>
#include <limits>
#include <optional>

// Reads text that is exactly a decimal whole number: an optional sign and one
// or more digits, nothing else (no blanks, fraction, exponent or hex). A
// number too large for 64 bits saturates, keeping its sign.
inline std::optional<qint64> parseStrictInteger(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    constexpr qint64 safe = (limit - 9) / 10;  // up to here, one more digit cannot overflow
    qint64 magnitude = 0;
    bool saturated = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (saturated)
            continue;
        if (magnitude > safe && magnitude > (limit - digit) / 10)
            saturated = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (saturated)
        return negative ? std::numeric_limits<qint64>::min() : limit;
    return negative ? -magnitude : magnitude;
}

