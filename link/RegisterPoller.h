#pragma once

#include "link/Argb.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class MqttClient;

// Asks the controller in use for its registers on a thread of its own: while
// the client is connected, analogue registers 1-30 and holding registers
// 1-100 every 1500 ms; otherwise it checks again every 500 ms. The status
// circle turns red before each poll goes out, so an answer that comes back
// at once is never painted over.
class RegisterPoller : public QObject {
    Q_OBJECT
public:
    // lastPacketId receives the identifier of every publish.
    RegisterPoller(MqttClient &client, std::atomic<quint16> &lastPacketId, QObject *parent = nullptr);
    ~RegisterPoller() override;

    void start();
    // Wakes the thread at once and waits for it; a publish under way finishes first.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

    // The controller whose "/Out" topic the polls go to (called on the UI thread).
    void setTopic(const QString &topic);
    QString topic() const;

    static constexpr int PollIntervalMs = 1500;
    static constexpr int IdleIntervalMs = 500;
    static constexpr int ErrorPauseMs = 300;

signals:
    // Emitted on the poller's thread; receivers on the UI thread get it queued.
    void circleColourRequested(Argb colour);

private:
    void run();
    // Sleeps ms unless stop is asked for; false when it was.
    bool pause(int ms);

    MqttClient &m_client;
    std::atomic<quint16> &m_lastPacketId;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    QString m_topic;
    std::thread m_thread;
};
