#include "link/AnswerDispatcher.h"

#include <initializer_list>

namespace {

// The answer begins with exactly these fields. The same as comparing
// ReadMQTTFunction(fields, header.size()) with the header written out with
// ";" after each field: the written-out header has one ";" per field, so no
// field can hide a ";" of its own. Too short an answer has no header.
bool headerIs(const FieldViews &fields, std::initializer_list<QStringView> header)
{
    if (fields.size() < qsizetype(header.size()))
        return false;
    qsizetype i = 0;
    for (QStringView h : header)
        if (fields[i++] != h)
            return false;
    return true;
}

QStringList toList(const FieldViews &fields)
{
    QStringList list;
    list.reserve(fields.size());
    for (QStringView f : fields)
        list.append(f.toString());
    return list;
}

} // namespace

bool AnswerDispatcher::MQTTPublishReceived(const QString &topic, const QByteArray &payload)
{
    const QString &root = m_state.ActiveUser.ActiveTopic;
    if (!topic.startsWith(root))
        return false;
    const QStringView suffix = QStringView(topic).sliced(root.size());
    enum class Kind { Holding, Schedule, Analog } kind;
    if (suffix == u"/Ret")
        kind = Kind::Holding;
    else if (suffix == u"/S")
        kind = Kind::Schedule;
    else if (suffix == u"/ARet")
        kind = Kind::Analog;
    else
        return false; // not ours: not even decoded

    const QString text = QString::fromUtf8(payload);
    FieldViews fields;
    QStringList unescaped; // holds the fields when a quoted one had to be rewritten
    if (!splitFieldViews(text, fields)) {
        unescaped = splitFields(text);
        fields.clear();
        for (const QString &f : std::as_const(unescaped))
            fields.append(f);
    }
    switch (kind) {
    case Kind::Holding:
        return holdingAnswer(fields);
    case Kind::Schedule:
        return scheduleAnswer(fields, text);
    case Kind::Analog:
        return analogAnswer(fields);
    }
    return false;
}

template <typename Cache>
void AnswerDispatcher::storeSlots(Cache &cache, int first, int count, const FieldViews &fields)
{
    for (int i = 1; i <= count; ++i) {
        const int field = 3 + i;
        if (field >= fields.size())
            return;
        cache.set(first + i - 1, cacheValue(fields[field]));
    }
}

bool AnswerDispatcher::holdingAnswer(const FieldViews &fields)
{
    // Too short for the header: the message changes nothing at all.
    if (fields.size() < 4)
        return false;
    if (headerIs(fields, {u"53", u"4", u"1", u"50"})) {
        // Holding register 30, the schematic, must be a whole number, or the
        // registers of this answer are dropped.
        const std::optional<int> schematic = fields.size() > 33 ? readStrictInt(fields[33]) : std::nullopt;
        if (schematic) {
            if (*schematic != m_state.SchematicNumber)
                m_state.SchematicNumber = *schematic;
            storeSlots(m_state.HoldingRegs, 1, 50, fields);
        }
        m_state.HoldingRegsUpdated = true;
        return circleGreen();
    }
    if (headerIs(fields, {u"53", u"4", u"51", u"50"})) {
        updateInstallerRows(fields);
        storeSlots(m_state.HoldingRegs, 51, 50, fields);
        m_state.HoldingRegsUpdated = true;
        return circleGreen();
    }
    return false; // any other header: not even the circle changes
}

void AnswerDispatcher::updateInstallerRows(const FieldViews &fields)
{
    if (!m_hooks.installerRowCount || !m_hooks.installerRowNum || !m_hooks.installerUpdateVal)
        return;
    const int rows = m_hooks.installerRowCount();
    const int last = std::min(rows - 1, 99);
    for (int k = 50; k <= last; ++k) {
        const int num = m_hooks.installerRowNum(k);
        if (num < 51 || num > 100)
            continue;
        const int field = num - 47; // where register num lies in this answer
        if (field >= fields.size())
            continue;
        // A value that is not a whole number shows as -1, as in the caches.
        m_hooks.installerUpdateVal(k, cacheValue(fields[field]));
    }
}

bool AnswerDispatcher::scheduleAnswer(const FieldViews &fields, const QString &text)
{
    // Shorter than the first header compared: nothing but the circle.
    if (fields.size() >= 4) {
        if (headerIs(fields, {u"3", u"9", u"1", u"0"})) {
            if (m_hooks.clearSchedules)
                m_hooks.clearSchedules();
        } else if (headerIs(fields, {u"11", u"9"})) {
            if (m_hooks.addScheduleEntry)
                m_hooks.addScheduleEntry(toList(fields), text);
        }
    }
    return circleGreen();
}

bool AnswerDispatcher::analogAnswer(const FieldViews &fields)
{
    if (headerIs(fields, {u"10", u"14", u"30"})) {
        if (m_hooks.clockAnswer)
            m_hooks.clockAnswer(toList(fields));
    } else if (headerIs(fields, {u"33", u"14", u"1", u"30"})) {
        storeSlots(m_state.AnalogRegs, 1, 30, fields);
        m_state.AnalogRegsUpdated = true;
    }
    return circleGreen();
}

bool AnswerDispatcher::circleGreen()
{
    if (m_hooks.circleGreen)
        m_hooks.circleGreen();
    return true;
}
