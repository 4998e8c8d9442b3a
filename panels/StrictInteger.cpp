#include "panels/StrictInteger.h"

#include <limits>

std::optional<qint64> parseStrictInteger(const QString &text)
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
    qint64 magnitude = 0;
    bool saturated = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (!saturated && magnitude > (limit - digit) / 10)
            saturated = true;
        if (!saturated)
            magnitude = magnitude * 10 + digit;
    }
    if (saturated)
        return negative ? std::numeric_limits<qint64>::min() : limit;
    return negative ? -magnitude : magnitude;
}
