#pragma once

#include "link/ConnectionStatus.h"
#include "link/MqttSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>

// "243-" + the local time as HH:mm:ss + a random number 0..9999.
QString makeClientId();

// One connection to the broker over libmosquitto. Lives on the UI thread:
// Connect, Disconnect, Subscribe and Unsubscribe are called there, and the
// two signals arrive there. IsConnected, status and Publish may be called
// from any thread.
//
// Every Connect starts a fresh client (its own identifier and network
// thread); the previous one is shut down in the background, so neither a
// dead broker nor a slow network stalls the caller, and nothing it still
// reports reaches this object.
class MqttClient : public QObject {
    Q_OBJECT
public:
    explicit MqttClient(QObject *parent = nullptr);
    ~MqttClient() override;

    bool IsConnected() const { return m_connected.load(); }
    ConnectionStatus status() const { return static_cast<ConnectionStatus>(m_status.load()); }

    // Starts connecting; the outcome arrives through connectedStatusChanged.
    // The client then keeps the connection up by itself, retrying every
    // reconnect delay.
    void Connect(const MqttSettings &settings, bool cleanSession);
    // Closes the connection: csDisconnecting, then csNotConnected.
    void Disconnect();

    // Packet identifier, or 0 when nothing could be sent.
    quint16 Subscribe(const QString &topic, int qos);
    quint16 Unsubscribe(const QString &topic);
    // QoS 0, not retained; the text goes out as UTF-8. Throws PublishError
    // when there is no connection or the client refuses the message.
    quint16 Publish(const QString &topic, const QString &payload);

    // Waits (up to timeoutMs) until every client that Connect or Disconnect
    // replaced has finished shutting down. For orderly process exit and tests.
    bool waitForRetiredClients(int timeoutMs);

signals:
    void connectedStatusChanged(bool connected, ConnectionStatus status);
    void publishReceived(quint16 packetId, QString topic, QByteArray payload);

public:
    struct Session; // one libmosquitto client and its network thread

private:
    friend struct SessionCallbacks;
    void applyStatus(quint64 generation, bool connected, ConnectionStatus status);
    void applyFailedAttempt(quint64 generation);
    void deliverMessage(quint64 generation, quint16 packetId, const QString &topic,
                        const QByteArray &payload);
    void notify(bool connected, ConnectionStatus status);
    void retireSession();
    std::shared_ptr<Session> currentSession() const;

    mutable std::mutex m_sessionMutex; // guards m_session against Publish from other threads
    std::shared_ptr<Session> m_session;
    quint64 m_generation = 0; // UI thread only
    std::atomic<bool> m_connected{false};
    std::atomic<int> m_status{csNotConnected};
    QTimer m_reconnectTimer; // reports csReconnecting while the link is down
    struct RetiredClients;
    std::shared_ptr<RetiredClients> m_retired;
};
