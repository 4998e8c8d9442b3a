#include "tools/controller-sim/BrokerConnection.h"

#include <QMetaObject>
#include <mosquitto.h>
#include <utility>

namespace {
constexpr int KeepAliveSeconds = 10;
constexpr unsigned ReconnectDelaySeconds = 1;
constexpr unsigned ReconnectDelayMaxSeconds = 2;
} // namespace

BrokerConnection::BrokerConnection(QObject *parent) : QObject(parent) {}

BrokerConnection::~BrokerConnection()
{
    stop();
}

bool BrokerConnection::start(const Settings &settings, QString *error)
{
    stop();
    m_topics = settings.topics;
    m_client = mosquitto_new(settings.clientId.toUtf8().constData(), true, this);
    if (!m_client) {
        *error = QStringLiteral("cannot create an MQTT client");
        return false;
    }
    mosquitto_connect_callback_set(m_client, &BrokerConnection::onConnect);
    mosquitto_disconnect_callback_set(m_client, &BrokerConnection::onDisconnect);
    mosquitto_message_callback_set(m_client, &BrokerConnection::onMessage);
    mosquitto_int_option(m_client, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_reconnect_delay_set(m_client, ReconnectDelaySeconds, ReconnectDelayMaxSeconds, false);
    if (!settings.user.isEmpty()) {
        const QByteArray user = settings.user.toUtf8();
        const QByteArray password = settings.password.toUtf8();
        mosquitto_username_pw_set(m_client, user.constData(),
                                  password.isEmpty() ? nullptr : password.constData());
    }
    // The network thread first: a client whose first connect fails then keeps retrying.
    int rc = mosquitto_loop_start(m_client);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_connect_async(m_client, settings.host.toUtf8().constData(), settings.port,
                                     KeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS && rc != MOSQ_ERR_ERRNO) {
        *error = QString::fromUtf8(mosquitto_strerror(rc));
        stop();
        return false;
    }
    return true;
}

void BrokerConnection::stop()
{
    if (!m_client)
        return;
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, false);
    mosquitto_destroy(m_client);
    m_client = nullptr;
    std::lock_guard lock(m_inboxMutex);
    m_inbox.clear();
}

bool BrokerConnection::publish(const QByteArray &topic, const QByteArray &payload)
{
    if (!m_client)
        return false;
    return mosquitto_publish(m_client, nullptr, topic.constData(), int(payload.size()), payload.constData(),
                             0, false) == MOSQ_ERR_SUCCESS;
}

void BrokerConnection::post(Event event)
{
    std::lock_guard lock(m_inboxMutex);
    m_inbox.push_back(std::move(event));
    if (!m_wakeUpPending) {
        m_wakeUpPending = true;
        QMetaObject::invokeMethod(this, "deliverEvents", Qt::QueuedConnection);
    }
}

void BrokerConnection::deliverEvents()
{
    std::deque<Event> events;
    {
        std::lock_guard lock(m_inboxMutex);
        events.swap(m_inbox);
        m_wakeUpPending = false;
    }
    for (const Event &event : events) {
        switch (event.kind) {
        case Event::Kind::Message:
            emit messageReceived(event.topic, event.payload);
            break;
        case Event::Kind::Connected:
            emit connected();
            break;
        case Event::Kind::ConnectFailed:
            emit connectFailed(event.code);
            break;
        case Event::Kind::Disconnected:
            emit disconnected(event.code);
            break;
        }
    }
}

void BrokerConnection::onConnect(mosquitto *client, void *self, int code)
{
    auto *that = static_cast<BrokerConnection *>(self);
    if (code != 0) {
        that->post({Event::Kind::ConnectFailed, code, {}, {}});
        return;
    }
    // A clean session forgets subscriptions: subscribe on every connect.
    for (const QString &topic : that->m_topics)
        mosquitto_subscribe(client, nullptr, topic.toUtf8().constData(), 0);
    that->post({Event::Kind::Connected, 0, {}, {}});
}

void BrokerConnection::onDisconnect(mosquitto *, void *self, int code)
{
    static_cast<BrokerConnection *>(self)->post({Event::Kind::Disconnected, code, {}, {}});
}

void BrokerConnection::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    static_cast<BrokerConnection *>(self)->post(
        {Event::Kind::Message, 0, QByteArray(message->topic),
         QByteArray(static_cast<const char *>(message->payload), message->payloadlen)});
}
