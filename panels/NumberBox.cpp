#include "panels/NumberBox.h"

#include "link/StrictInteger.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

NumberBox::NumberBox(QWidget *parent) : QSpinBox(parent) {}

QString NumberBox::editText() const
{
    return lineEdit()->text();
}

void NumberBox::setEditText(const QString &text)
{
    lineEdit()->setText(text);
}

QValidator::State NumberBox::validate(QString &input, int &) const
{
    if (parseStrictInteger(input))
        return QValidator::Acceptable;
    if (input.isEmpty() || input == QLatin1String("-") || input == QLatin1String("+"))
        return QValidator::Intermediate;
    return QValidator::Invalid;
}

int NumberBox::valueFromText(const QString &text) const
{
    const auto parsed = parseStrictInteger(text);
    if (!parsed)
        return value();
    return int(std::clamp<qint64>(*parsed, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
