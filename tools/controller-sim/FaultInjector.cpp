#include "tools/controller-sim/FaultInjector.h"

#include <QList>

namespace {
constexpr int MalformedOneIn = 4;
}

FaultInjector::FaultInjector(int dropPercent, bool malformed, quint32 seed)
    : m_dropPercent(dropPercent), m_malformed(malformed), m_random(seed)
{
}

bool FaultInjector::shouldDrop()
{
    return m_dropPercent > 0 && int(m_random.bounded(100)) < m_dropPercent;
}

QByteArray FaultInjector::pass(const QByteArray &answer)
{
    if (!m_malformed || m_random.bounded(MalformedOneIn) != 0)
        return answer;
    return spoil(answer);
}

QByteArray FaultInjector::spoil(const QByteArray &answer)
{
    QList<QByteArray> fields = answer.split(';');
    switch (m_random.bounded(5)) {
    case 0: // cut short, possibly inside the header
        return answer.left(int(m_random.bounded(qMax<qsizetype>(1, answer.size()))));
    case 1: { // a field that is no number
        const int at = int(m_random.bounded(qMax<qsizetype>(1, fields.size() - 1)));
        fields[at] = "x" + fields[at];
        return fields.join(';');
    }
    case 2: { // an empty field in place of a value
        const int at = int(m_random.bounded(qMax<qsizetype>(1, fields.size() - 1)));
        fields[at].clear();
        return fields.join(';');
    }
    case 3: { // random bytes, not even UTF-8
        QByteArray garbage(int(1 + m_random.bounded(64)), '\0');
        for (char &c : garbage)
            c = char(m_random.bounded(256));
        return garbage;
    }
    default: { // blanks, a wrong count and a missing terminator
        QByteArray rest = answer.mid(answer.indexOf(';') + 1);
        rest.chop(1);
        return "  " + QByteArray::number(int(fields.size()) + 7) + " ;" + rest;
    }
    }
}
