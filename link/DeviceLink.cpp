#include "link/DeviceLink.h"

#include "link/Command.h"
#include "link/MqttClient.h"
#include "link/PublishError.h"
#include "link/RegisterPoller.h"

DeviceLink::DeviceLink(SharedState &state, const DeploymentConfig &config, QObject *parent)
    : QObject(parent), m_state(state), m_client(std::make_unique<MqttClient>()),
      m_poller(std::make_unique<RegisterPoller>(*m_client, pubpacketid)), m_dispatcher(state)
{
    m_settings.host = config.brokerHost;
    m_settings.port = config.brokerPort;
    m_settings.user = config.brokerUser;
    m_settings.password = config.brokerPassword;

    connect(m_client.get(), &MqttClient::connectedStatusChanged, this,
            &DeviceLink::MQTTConnectedStatusChanged);
    connect(m_client.get(), &MqttClient::publishReceived, this, &DeviceLink::MQTTPublishReceived);
    connect(m_poller.get(), &RegisterPoller::circleColourRequested, this, &DeviceLink::setCircleColour,
            Qt::QueuedConnection);
}

void DeviceLink::startPolling()
{
    if (!m_stopped)
        m_poller->start();
}

DeviceLink::~DeviceLink()
{
    stop();
}

void DeviceLink::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_poller->stop();
    m_client->Disconnect();
}

void DeviceLink::ConnectMQTT()
{
    m_reconnectInFlight = false;
    connectClient();
}

void DeviceLink::connectClient()
{
    try {
        if (m_client->IsConnected())
            m_client->Disconnect();
        MqttSettings settings = m_settings;
        settings.clientId = makeClientId();
        m_poller->setTopic(m_state.ActiveUser.ActiveTopic);
        m_client->Connect(settings, true);
    } catch (...) {
        // The status strip shows what the client does next.
    }
}

void DeviceLink::Disconnect()
{
    m_reconnectInFlight = false;
    m_client->Disconnect();
}

void DeviceLink::Subscribe(const QString &topic, int qos)
{
    subpacket = m_client->Subscribe(topic, qos);
}

void DeviceLink::UnSubscribe(const QString &topic)
{
    if (m_client->status() == csConnected)
        unsubpacket = m_client->Unsubscribe(topic);
}

void DeviceLink::Publish(const QString &payload)
{
    pubpacketid = m_client->Publish(m_state.ActiveUser.ActiveTopic + QStringLiteral("/Out"), payload);
}

void DeviceLink::WriteHREG(int reg, int value)
{
    Publish(Command::WriteHREG(reg, value));
}

void DeviceLink::WriteBatchHREG(int start, const QList<int> &values)
{
    Publish(Command::WriteBatchHREG(start, values));
}

void DeviceLink::ReadHREG(int reg)
{
    Publish(Command::ReadHREG(reg));
}

void DeviceLink::ReadAREG(int reg)
{
    Publish(Command::ReadAREG(reg));
}

void DeviceLink::ReadBatchHREG(int start, int regNum)
{
    Publish(Command::ReadBatchHREG(start, regNum));
}

void DeviceLink::ReadBatchAREG(int start, int regNum)
{
    Publish(Command::ReadBatchAREG(start, regNum));
}

bool DeviceLink::IsConnected() const
{
    return m_client->IsConnected();
}

ConnectionStatus DeviceLink::status() const
{
    return m_client->status();
}

void DeviceLink::MQTTConnectedStatusChanged(bool connected, ConnectionStatus status)
{
    if (connected) {
        m_reconnectInFlight = false;
        setStatusText(QStringLiteral("ПОВРЗАНО"), LinkColours::StatusConnected);
        const QString root = m_state.ActiveUser.ActiveTopic;
        m_poller->setTopic(root);
        Subscribe(root + QStringLiteral("/T"), 0);
        Subscribe(root + QStringLiteral("/Ret"), 0);
        Subscribe(root + QStringLiteral("/S"), 0);
        Subscribe(root + QStringLiteral("/ARet"), 0);
        try {
            ReadBatchAREG(1, 30);
            ReadBatchHREG(1, 50);
            ReadBatchHREG(51, 50);
        } catch (const PublishError &) {
            // Lost again already; the status event that follows says so.
        }
        return;
    }

    QString text = m_statusText;
    if (status >= csConnectionRejected_InvalidProtocolVersion &&
        status <= csConnectionRejected_ClientNotAuthorized)
        text = QStringLiteral("ГРЕШКА");
    else if (status == csConnectionLost)
        text = QStringLiteral("ВРСКАТА Е ПРЕКИНАТА");
    else if (status == csConnecting)
        text = QStringLiteral("ПОВРЗУВАЊЕ...");
    else if (status == csReconnecting)
        text = QStringLiteral("ПРЕПОВРЗУВАЊЕ...");
    else if (status == csNotConnected)
        text.clear(); // a closed connection must not go on saying it is connected
    setStatusText(text, LinkColours::StatusDisconnected);

    if (isRejection(status))
        m_reconnectInFlight = false;
    if (status == csConnectionLost && m_state.LoginMode != 0 && !m_stopped) {
        // One immediate reconnect per lost connection, and not again within a
        // reconnect delay: a broker that drops every connection at once gets
        // the client's own paced retries, not a storm of new connections.
        const bool recent = m_lastReconnect.isValid() &&
                            m_lastReconnect.elapsed() < m_settings.reconnectDelaySeconds * 1000LL;
        if (!m_reconnectInFlight && !recent) {
            m_reconnectInFlight = true;
            m_lastReconnect.start();
            connectClient();
        }
    }
}

void DeviceLink::MQTTPublishReceived(quint16 packetId, const QString &topic, const QByteArray &payload)
{
    Q_UNUSED(packetId);
    try {
        if (m_dispatcher.MQTTPublishReceived(topic, payload))
            setCircleColour(LinkColours::CircleAnswered);
    } catch (...) {
        // A malformed answer is dropped; nothing reaches the user or the client.
    }
}

void DeviceLink::setStatusText(const QString &text, Argb colour)
{
    m_statusText = text;
    m_statusColour = colour;
    emit statusTextChanged(text, colour);
}

void DeviceLink::setCircleColour(Argb colour)
{
    m_circleColour = colour;
    emit circleColourChanged(colour);
}
