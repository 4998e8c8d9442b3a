#pragma once

#include <QProcess>
#include <QStringList>

class BrokerProcess;

// Records what arrives on a topic filter of a real broker, through the
// mosquitto_sub client: one "topic payload" line per message.
class TopicRecorder {
public:
    TopicRecorder(const BrokerProcess &broker, const QString &filter);
    ~TopicRecorder();

    bool isReady() const { return m_ready; }
    // Every message received so far, as "topic payload".
    QStringList messages();
    // Waits until a message equal to line arrived (true) or the time is up.
    bool waitFor(const QString &line, int ms = 5000);
    int count(const QString &line);

private:
    QProcess m_proc;
    QStringList m_lines;
    QByteArray m_partial;
    bool m_ready = false;
};
