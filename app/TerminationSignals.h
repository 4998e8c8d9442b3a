#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into an orderly end of the event loop, so a
// program stopped from outside still disconnects and writes its settings.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
