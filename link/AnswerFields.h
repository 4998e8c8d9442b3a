#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <optional>

// Reading the text answers of a controller: splitting into fields, header
// comparison and whole-number fields.

// Splits text into fields at each delimiter. Blanks and control characters
// (codes 1 to 32) also separate fields and are skipped around them; a field
// that begins with a double quote runs to its closing quote (a doubled quote
// inside stands for one quote, a missing closing quote runs to the end); a
// delimiter that is the very last character yields one more, empty, field.
// A NUL character ends the text.
QStringList splitFields(QStringView text, QChar delimiter = u';');

// The same fields as views into text, without copying. Fails (false) only
// when a quoted field holds a doubled quote, whose field text is not a part
// of text; splitFields serves then.
using FieldViews = QVarLengthArray<QStringView, 64>;
bool splitFieldViews(QStringView text, FieldViews &fields, QChar delimiter = u';');

// Fields 0 to num - 1, each followed by ";". Empty for num <= 0; nothing when
// the answer has fewer than num fields.
std::optional<QString> ReadMQTTFunction(const QStringList &lista, int num);

// An optional sign followed by decimal digits, nothing else, within the
// signed 32-bit range. Anything else (blanks, empty text, larger values) is
// not a whole number.
std::optional<int> readStrictInt(QStringView field);

// The field's value for a register cache: the whole number, or -1.
inline int cacheValue(QStringView field)
{
    return readStrictInt(field).value_or(-1);
}
