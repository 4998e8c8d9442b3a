#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Spoils answers on purpose, for testing the program against a bad line: drops a share of them and,
// when asked, replaces some with malformed texts (cut short, a field that is no number, bytes of garbage).
class FaultInjector {
public:
    FaultInjector(int dropPercent, bool malformed, quint32 seed);

    bool shouldDrop();
    // The payload to send in place of an answer: the answer itself or, now and then, a spoilt one.
    QByteArray pass(const QByteArray &answer);

private:
    QByteArray spoil(const QByteArray &answer);

    int m_dropPercent;
    bool m_malformed;
    QRandomGenerator m_random;
};
