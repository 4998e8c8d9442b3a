#include "link/AnswerFields.h"

#include "link/StrictInteger.h"

#include <limits>

namespace {

bool isSeparatorBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 1 && u <= 32;
}

// Walks the fields of text and hands each to onField(raw, escaped): raw is
// the field's text, or for a quoted field the part between the quotes;
// escaped tells that raw still holds doubled quotes.
template <typename OnField> void scanFields(QStringView text, QChar delimiter, OnField &&onField)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text = text.first(nul);

    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && isSeparatorBlank(text[p]))
        ++p;
    while (p < n) {
        if (text[p] == u'"') {
            // Quoted field: up to the closing quote; "" inside is one quote.
            const qsizetype start = ++p;
            bool escaped = false;
            qsizetype end = n;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        escaped = true;
                        p += 2;
                        continue;
                    }
                    end = p++;
                    break;
                }
                ++p;
            }
            onField(text.sliced(start, std::min(end, n) - start), escaped);
        } else {
            const qsizetype start = p;
            while (p < n && text[p].unicode() > 32 && text[p] != delimiter)
                ++p;
            onField(text.sliced(start, p - start), false);
        }
        while (p < n && isSeparatorBlank(text[p]))
            ++p;
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n)
                onField(QStringView(), false);
            do {
                ++p;
            } while (p < n && isSeparatorBlank(text[p]));
        }
    }
}

} // namespace

QStringList splitFields(QStringView text, QChar delimiter)
{
    QStringList fields;
    scanFields(text, delimiter, [&fields](QStringView raw, bool escaped) {
        QString field = raw.toString();
        if (escaped)
            field.replace(QLatin1String("\"\""), QLatin1String("\""));
        fields.append(field);
    });
    return fields;
}

bool splitFieldViews(QStringView text, FieldViews &fields, QChar delimiter)
{
    fields.clear();
    bool viewable = true;
    scanFields(text, delimiter, [&](QStringView raw, bool escaped) {
        viewable = viewable && !escaped;
        fields.append(raw);
    });
    return viewable;
}

std::optional<QString> ReadMQTTFunction(const QStringList &lista, int num)
{
    if (num <= 0)
        return QString();
    if (lista.size() < num)
        return std::nullopt;
    QString header;
    for (int i = 0; i < num; ++i) {
        header += lista[i];
        header += u';';
    }
    return header;
}

std::optional<int> readStrictInt(QStringView field)
{
    // A register holds a 32-bit value: anything wider is not a whole number
    // for the caches (the 64-bit reading saturates, so it never wraps).
    const std::optional<qint64> value = parseStrictInteger(field);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}
