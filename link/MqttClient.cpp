#include "link/MqttClient.h"

#include "link/PublishError.h"

#include <QMetaObject>
#include <QRandomGenerator>
#include <QTime>

#include <mosquitto.h>

#include <condition_variable>
#include <functional>
#include <thread>

QString makeClientId()
{
    return QStringLiteral("243-") + QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) +
           QString::number(QRandomGenerator::global()->bounded(10000));
}

namespace {

void initLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

ConnectionStatus statusOfConnack(int rc)
{
    if (rc >= csConnectionRejected_InvalidProtocolVersion && rc <= csConnectionRejected_ClientNotAuthorized)
        return static_cast<ConnectionStatus>(rc);
    return csConnectionRejected_UnspecifiedError;
}

} // namespace

struct MqttClient::Session {
    mosquitto *mosq = nullptr;
    quint64 generation = 0;
    std::mutex ownerMutex;
    MqttClient *owner = nullptr; // null once the session was retired
    bool linkUp = false;         // network thread only: the broker accepted this connection

    // Runs fn(owner) on the owner's thread, unless the session was retired.
    // Qt drops the call if the owner is destroyed before it runs.
    template <typename Fn> void post(Fn &&fn)
    {
        std::lock_guard lock(ownerMutex);
        if (owner)
            QMetaObject::invokeMethod(
                owner, [owner = owner, fn = std::forward<Fn>(fn)] { fn(owner); }, Qt::QueuedConnection);
    }
};

// Clients that were replaced, shutting down on threads of their own.
struct MqttClient::RetiredClients : std::enable_shared_from_this<RetiredClients> {
    std::mutex mutex;
    std::condition_variable idle;
    int running = 0;

    void shutDown(std::shared_ptr<Session> session)
    {
        {
            std::lock_guard lock(mutex);
            ++running;
        }
        std::thread([self = shared_from_this(), session = std::move(session)] {
            mosquitto_disconnect(session->mosq);
            mosquitto_loop_stop(session->mosq, false);
            mosquitto_destroy(session->mosq);
            session->mosq = nullptr;
            std::lock_guard lock(self->mutex);
            --self->running;
            self->idle.notify_all();
        }).detach();
    }

    bool waitIdle(int timeoutMs)
    {
        std::unique_lock lock(mutex);
        return idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return running == 0; });
    }
};

// libmosquitto callbacks, on the client's network thread.
struct SessionCallbacks {
    static void onConnect(mosquitto *, void *obj, int rc)
    {
        auto *s = static_cast<MqttClient::Session *>(obj);
        const quint64 gen = s->generation;
        if (rc == 0) {
            s->linkUp = true;
            s->post([gen](MqttClient *owner) { owner->applyStatus(gen, true, csConnected); });
        } else {
            const ConnectionStatus status = statusOfConnack(rc);
            s->post([gen, status](MqttClient *owner) { owner->applyStatus(gen, false, status); });
        }
    }

    static void onDisconnect(mosquitto *, void *obj, int rc)
    {
        auto *s = static_cast<MqttClient::Session *>(obj);
        const quint64 gen = s->generation;
        const bool wasUp = s->linkUp;
        s->linkUp = false;
        if (rc == 0)
            return; // asked for; Disconnect reports it
        if (wasUp)
            s->post([gen](MqttClient *owner) { owner->applyStatus(gen, false, csConnectionLost); });
        else
            s->post([gen](MqttClient *owner) { owner->applyFailedAttempt(gen); });
    }

    static void onMessage(mosquitto *, void *obj, const mosquitto_message *msg)
    {
        auto *s = static_cast<MqttClient::Session *>(obj);
        const quint64 gen = s->generation;
        const quint16 id = static_cast<quint16>(msg->mid);
        QString topic = QString::fromUtf8(msg->topic);
        QByteArray payload(static_cast<const char *>(msg->payload), msg->payloadlen);
        s->post([gen, id, topic = std::move(topic), payload = std::move(payload)](MqttClient *owner) {
            owner->deliverMessage(gen, id, topic, payload);
        });
    }
};

MqttClient::MqttClient(QObject *parent) : QObject(parent), m_retired(std::make_shared<RetiredClients>())
{
    m_reconnectTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_reconnectTimer, &QTimer::timeout, this, [this] {
        if (currentSession() && !IsConnected()) {
            m_status = csReconnecting;
            emit connectedStatusChanged(false, csReconnecting);
        }
    });
}

MqttClient::~MqttClient()
{
    retireSession();
    m_retired->waitIdle(3000);
}

std::shared_ptr<MqttClient::Session> MqttClient::currentSession() const
{
    std::lock_guard lock(m_sessionMutex);
    return m_session;
}

void MqttClient::notify(bool connected, ConnectionStatus status)
{
    QMetaObject::invokeMethod(
        this, [this, connected, status] { emit connectedStatusChanged(connected, status); },
        Qt::QueuedConnection);
}

void MqttClient::retireSession()
{
    std::shared_ptr<Session> old;
    {
        std::lock_guard lock(m_sessionMutex);
        old = std::move(m_session);
    }
    if (!old)
        return;
    {
        std::lock_guard lock(old->ownerMutex);
        old->owner = nullptr;
    }
    m_retired->shutDown(std::move(old));
}

void MqttClient::Connect(const MqttSettings &settings, bool cleanSession)
{
    initLibraryOnce();
    retireSession();
    m_reconnectTimer.stop();
    m_connected = false;

    auto session = std::make_shared<Session>();
    session->generation = ++m_generation;
    session->owner = this;
    const QByteArray id = settings.clientId.toUtf8();
    mosquitto *mosq = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), cleanSession, session.get());
    if (!mosq) {
        m_status = csConnectionRejected_UnspecifiedError;
        notify(false, csConnectionRejected_UnspecifiedError);
        return;
    }
    session->mosq = mosq;
    mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_int_option(mosq, MOSQ_OPT_TCP_NODELAY, 1);
    if (!settings.user.isEmpty())
        mosquitto_username_pw_set(mosq, settings.user.toUtf8().constData(),
                                  settings.password.toUtf8().constData());
    const unsigned delay = static_cast<unsigned>(std::max(1, settings.reconnectDelaySeconds));
    mosquitto_reconnect_delay_set(mosq, delay, delay, false);
    mosquitto_connect_callback_set(mosq, &SessionCallbacks::onConnect);
    mosquitto_disconnect_callback_set(mosq, &SessionCallbacks::onDisconnect);
    mosquitto_message_callback_set(mosq, &SessionCallbacks::onMessage);
    m_reconnectTimer.setInterval(static_cast<int>(delay) * 1000);

    {
        std::lock_guard lock(m_sessionMutex);
        m_session = session;
    }
    m_status = csConnecting;
    notify(false, csConnecting);

    // The network thread first: started the other way round, a client whose
    // first attempt fails never tries again.
    mosquitto_loop_start(mosq);
    const int rc = mosquitto_connect_async(mosq, settings.host.toUtf8().constData(), settings.port,
                                           std::max(5, settings.keepAliveSeconds));
    if (rc != MOSQ_ERR_SUCCESS)
        m_reconnectTimer.start(); // the network thread retries; report it
}

void MqttClient::Disconnect()
{
    if (!currentSession())
        return;
    retireSession();
    ++m_generation; // whatever the old client still has queued is dropped
    m_reconnectTimer.stop();
    m_connected = false;
    m_status = csNotConnected;
    notify(false, csDisconnecting);
    notify(false, csNotConnected);
}

void MqttClient::applyStatus(quint64 generation, bool connected, ConnectionStatus status)
{
    if (generation != m_generation)
        return;
    m_connected = connected;
    m_status = status;
    if (connected || isRejection(status))
        m_reconnectTimer.stop();
    else if (status == csConnectionLost)
        m_reconnectTimer.start();
    emit connectedStatusChanged(connected, status);
}

void MqttClient::applyFailedAttempt(quint64 generation)
{
    if (generation != m_generation)
        return;
    if (!isRejection(status()) && !m_reconnectTimer.isActive())
        m_reconnectTimer.start();
}

void MqttClient::deliverMessage(quint64 generation, quint16 packetId, const QString &topic,
                                const QByteArray &payload)
{
    if (generation != m_generation)
        return;
    emit publishReceived(packetId, topic, payload);
}

quint16 MqttClient::Subscribe(const QString &topic, int qos)
{
    std::lock_guard lock(m_sessionMutex);
    if (!m_session)
        return 0;
    int mid = 0;
    const int rc = mosquitto_subscribe(m_session->mosq, &mid, topic.toUtf8().constData(), qos);
    return rc == MOSQ_ERR_SUCCESS ? static_cast<quint16>(mid) : 0;
}

quint16 MqttClient::Unsubscribe(const QString &topic)
{
    std::lock_guard lock(m_sessionMutex);
    if (!m_session)
        return 0;
    int mid = 0;
    const int rc = mosquitto_unsubscribe(m_session->mosq, &mid, topic.toUtf8().constData());
    return rc == MOSQ_ERR_SUCCESS ? static_cast<quint16>(mid) : 0;
}

quint16 MqttClient::Publish(const QString &topic, const QString &payload)
{
    const QByteArray topicBytes = topic.toUtf8();
    const QByteArray bytes = payload.toUtf8();
    std::lock_guard lock(m_sessionMutex);
    if (!m_session || !m_connected)
        throw PublishError(QStringLiteral("Нема врска со автоматиката. Командата не е испратена."));
    int mid = 0;
    const int rc = mosquitto_publish(m_session->mosq, &mid, topicBytes.constData(),
                                     static_cast<int>(bytes.size()), bytes.constData(), 0, false);
    if (rc != MOSQ_ERR_SUCCESS)
        throw PublishError(QStringLiteral("Командата не е испратена: ") +
                           QString::fromUtf8(mosquitto_strerror(rc)));
    return static_cast<quint16>(mid);
}

bool MqttClient::waitForRetiredClients(int timeoutMs)
{
    return m_retired->waitIdle(timeoutMs);
}
