#pragma once

#include "app/DeploymentConfig.h"
#include "app/SharedState.h"
#include "link/AnswerDispatcher.h"
#include "link/Argb.h"
#include "link/ConnectionStatus.h"
#include "link/MqttSettings.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class MqttClient;
class RegisterPoller;

// The link to the controller in use, as the main window sees it: the broker
// connection and its status strip texts, the register poller, the answer
// dispatch and the command builders. Lives on the UI thread.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    // Takes the broker values of config. Nothing connects and nothing polls yet.
    DeviceLink(SharedState &state, const DeploymentConfig &config, QObject *parent = nullptr);
    ~DeviceLink() override;

    // Starts the register poller's thread (once; later calls do nothing).
    void startPolling();

    // (Re)connects for the controller in ActiveUser.ActiveTopic with a new
    // client identifier and a clean session. Never throws.
    void ConnectMQTT();
    void Disconnect();
    void Subscribe(const QString &topic, int qos);
    // Only while the status is csConnected.
    void UnSubscribe(const QString &topic);

    // Commands on ActiveUser.ActiveTopic + "/Out"; throw PublishError.
    void WriteHREG(int reg, int value);
    void WriteBatchHREG(int start, const QList<int> &values);
    void ReadHREG(int reg);
    void ReadAREG(int reg);
    void ReadBatchHREG(int start, int regNum);
    void ReadBatchAREG(int start, int regNum);
    void Publish(const QString &payload);

    bool IsConnected() const;
    bool isConnected() const { return IsConnected(); }
    ConnectionStatus status() const;

    // Status strip: text and colour of lblConnected, fill of circleConnected.
    QString statusText() const { return m_statusText; }
    Argb statusColour() const { return m_statusColour; }
    Argb circleColour() const { return m_circleColour; }

    // Where the window plugs in the clock, schedule and parameter handlers.
    DispatchHooks &hooks() { return m_dispatcher.hooks(); }

    MqttClient &client() { return *m_client; }
    RegisterPoller &poller() { return *m_poller; }

    // Seconds between the client's own reconnect attempts (10 by default).
    void setReconnectDelaySeconds(int seconds) { m_settings.reconnectDelaySeconds = seconds; }

    // Shutdown: stops the poller, closes the connection. Idempotent.
    void stop();

    // Packet identifiers of the last subscribe, unsubscribe and publish.
    quint16 subpacket = 0;
    quint16 unsubpacket = 0;
    std::atomic<quint16> pubpacketid{0};

signals:
    void statusTextChanged(const QString &text, Argb colour);
    void circleColourChanged(Argb colour);

public slots:
    void MQTTConnectedStatusChanged(bool connected, ConnectionStatus status);
    void MQTTPublishReceived(quint16 packetId, const QString &topic, const QByteArray &payload);

private:
    void connectClient();
    void setStatusText(const QString &text, Argb colour);
    void setCircleColour(Argb colour);

    SharedState &m_state;
    MqttSettings m_settings;
    std::unique_ptr<MqttClient> m_client;
    std::unique_ptr<RegisterPoller> m_poller;
    AnswerDispatcher m_dispatcher;
    QString m_statusText;
    Argb m_statusColour = LinkColours::StatusDisconnected;
    Argb m_circleColour = LinkColours::CircleIdle;
    bool m_reconnectInFlight = false; // a reconnect after a lost connection has not connected yet
    QElapsedTimer m_lastReconnect;
    bool m_stopped = false;
};
