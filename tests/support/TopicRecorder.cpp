#include "support/TopicRecorder.h"

#include "support/BrokerProcess.h"

#include <QTest>

TopicRecorder::TopicRecorder(const BrokerProcess &broker, const QString &filter)
{
    QStringList args{QStringLiteral("-h"), broker.host(), QStringLiteral("-p"), QString::number(broker.port()),
                     QStringLiteral("-t"), filter, QStringLiteral("-v")};
    if (!broker.user().isEmpty())
        args << QStringLiteral("-u") << broker.user() << QStringLiteral("-P") << broker.password();
    m_proc.start(QStringLiteral("mosquitto_sub"), args);
    m_ready = m_proc.waitForStarted(5000);
    // mosquitto_sub has no "subscribed" signal: give it a moment to subscribe.
    QTest::qWait(200);
}

TopicRecorder::~TopicRecorder()
{
    m_proc.kill();
    m_proc.waitForFinished(2000);
}

QStringList TopicRecorder::messages()
{
    m_partial += m_proc.readAllStandardOutput();
    int nl;
    while ((nl = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(nl));
        m_partial.remove(0, nl + 1);
    }
    return m_lines;
}

bool TopicRecorder::waitFor(const QString &line, int ms)
{
    return QTest::qWaitFor([&] { return messages().contains(line); }, ms);
}

int TopicRecorder::count(const QString &line)
{
    return int(messages().count(line));
}
