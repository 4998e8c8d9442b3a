#include "tools/controller-sim/WireCodec.h"

#include <limits>

namespace {

std::optional<int> parseDecimal(QByteArray field)
{
    field = field.trimmed();
    bool negative = false;
    if (field.startsWith('-')) {
        negative = true;
        field.remove(0, 1);
    }
    if (field.isEmpty() || field.size() > 11)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

std::optional<WireCommand> fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

// Number of arguments each function takes; -1 for the batch write, whose length depends on its count.
int argumentCount(WireCommand::Function function)
{
    using F = WireCommand::Function;
    switch (function) {
    case F::WriteHoldingBatch:
        return -1;
    case F::ReadHoldingBatch:
    case F::WriteHolding:
    case F::ReadAnalogBatch:
        return 2;
    case F::ReadHolding:
    case F::DeleteSchedule:
        return 1;
    case F::AddSchedule:
        return 8;
    case F::ListSchedules:
    case F::DeleteAllSchedules:
        return 0;
    case F::SetClock:
        return 7;
    }
    return -2;
}

bool isKnownFunction(int code)
{
    switch (code) {
    case 3:
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
    case 12:
    case 13:
    case 14:
        return true;
    default:
        return false;
    }
}

QByteArray fieldText(const QList<int> &numbers)
{
    QByteArray text;
    for (const int n : numbers)
        text += QByteArray::number(n) + ';';
    return text;
}

QByteArray twoDigits(int value)
{
    return value >= 0 && value < 10 ? '0' + QByteArray::number(value) : QByteArray::number(value);
}

} // namespace

std::optional<WireCommand> WireCodec::parseCommand(const QByteArray &payload, QString *reason)
{
    if (!payload.endsWith(';'))
        return fail(reason, QStringLiteral("does not end with ';'"));
    QList<QByteArray> texts = payload.split(';');
    texts.removeLast(); // the empty text after the closing ';'
    if (texts.size() < 2)
        return fail(reason, QStringLiteral("fewer than two fields"));

    QList<int> fields;
    fields.reserve(texts.size());
    for (const QByteArray &text : texts) {
        const std::optional<int> value = parseDecimal(text);
        if (!value)
            return fail(reason, QStringLiteral("field '%1' is not a decimal number")
                                    .arg(QString::fromLatin1(printable(text))));
        fields.append(*value);
    }
    if (fields[0] != fields.size() - 1)
        return fail(
            reason,
            QStringLiteral("count field %1 but %2 fields follow").arg(fields[0]).arg(fields.size() - 1));
    if (!isKnownFunction(fields[1]))
        return fail(reason, QStringLiteral("unknown function %1").arg(fields[1]));

    WireCommand command;
    command.function = WireCommand::Function(fields[1]);
    command.arguments = fields.mid(2);
    const int expected = argumentCount(command.function);
    if (expected == -1) {
        const qsizetype args = command.arguments.size();
        if (args < 2 || command.arguments[1] < 0 || command.arguments[1] != args - 2)
            return fail(reason, QStringLiteral("batch write count does not match its values"));
    } else if (command.arguments.size() != expected) {
        return fail(reason, QStringLiteral("function %1 takes %2 arguments, got %3")
                                .arg(fields[1])
                                .arg(expected)
                                .arg(command.arguments.size()));
    }
    return command;
}

QByteArray WireCodec::holdingBatchAnswer(int start, const QList<int> &values)
{
    const int count = int(values.size());
    return fieldText({count + 3, 4, start, count}) + fieldText(values);
}

QByteArray WireCodec::holdingAnswer(int reg, int value)
{
    return fieldText({3, 7, reg, value});
}

QByteArray WireCodec::analogBatchAnswer(int start, const QList<int> &values)
{
    const int count = int(values.size());
    QByteArray text = fieldText({count + 3, 14, start, count});
    constexpr int ClockFirst = 30, ClockWeekday = 33, ClockLast = 36;
    for (int i = 0; i < count; ++i) {
        const int reg = start + i;
        const bool twoDigitField = reg >= ClockFirst && reg <= ClockLast && reg != ClockWeekday;
        text += (twoDigitField ? twoDigits(values[i]) : QByteArray::number(values[i])) + ';';
    }
    return text;
}

QByteArray WireCodec::emptyScheduleAnswer()
{
    return QByteArrayLiteral("3;9;1;0;");
}

QByteArray WireCodec::scheduleEntryAnswer(int number, int total, const ScheduleEntry &entry)
{
    // Mirrors the add command: seconds and the spare field are always 0.
    return fieldText({11, 9, number, total, entry.weekday, entry.hour, entry.minute, 0, entry.output,
                      entry.state, 0, entry.temperature});
}

QByteArray WireCodec::printable(const QByteArray &payload)
{
    QByteArray text;
    text.reserve(payload.size());
    for (const char c : payload) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            text += c;
        } else {
            text += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        }
    }
    return text;
}
