#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal on the event loop (through a pipe, the only safe way out of
// a signal handler).
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    bool install();

signals:
    void terminationRequested(int signalNumber);

private:
    static void handle(int signalNumber);
    void readPipe();

    static int s_pipe[2];
    QSocketNotifier *m_notifier = nullptr;
};
