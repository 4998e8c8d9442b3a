#include "link/RegisterPoller.h"

#include "link/Command.h"
#include "link/MqttClient.h"

RegisterPoller::RegisterPoller(MqttClient &client, std::atomic<quint16> &lastPacketId, QObject *parent)
    : QObject(parent), m_client(client), m_lastPacketId(lastPacketId)
{
}

RegisterPoller::~RegisterPoller()
{
    stop();
}

void RegisterPoller::start()
{
    if (m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = false;
    }
    m_thread = std::thread([this] { run(); });
}

void RegisterPoller::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RegisterPoller::setTopic(const QString &topic)
{
    std::lock_guard lock(m_mutex);
    m_topic = topic;
}

QString RegisterPoller::topic() const
{
    std::lock_guard lock(m_mutex);
    return m_topic;
}

bool RegisterPoller::pause(int ms)
{
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopRequested; });
}

void RegisterPoller::run()
{
    static const QString reads[] = {Command::ReadBatchAREG(1, 30), Command::ReadBatchHREG(1, 50),
                                    Command::ReadBatchHREG(51, 50)};
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stopRequested)
                return;
        }
        int sleepMs = IdleIntervalMs;
        try {
            const QString root = topic();
            if (m_client.IsConnected() && !root.isEmpty()) {
                emit circleColourRequested(LinkColours::CirclePolled);
                const QString out = root + QStringLiteral("/Out");
                for (const QString &payload : reads)
                    m_lastPacketId = m_client.Publish(out, payload);
                sleepMs = PollIntervalMs;
            }
        } catch (...) {
            sleepMs = ErrorPauseMs;
        }
        if (!pause(sleepMs))
            return;
    }
}
