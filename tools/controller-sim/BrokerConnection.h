#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <mutex>

struct mosquitto;
struct mosquitto_message;

// A libmosquitto client with its own network thread. It reconnects by itself, subscribes its topics again
// on every connect and delivers messages and connection changes on the thread that owns this object.
class BrokerConnection : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString host;
        int port = 1883;
        QString user;
        QString password;
        QString clientId;
        QStringList topics;
    };

    explicit BrokerConnection(QObject *parent = nullptr);
    ~BrokerConnection() override;

    bool start(const Settings &settings, QString *error);
    void stop();
    // QoS 0, not retained; false while there is no connection.
    bool publish(const QByteArray &topic, const QByteArray &payload);

signals:
    void messageReceived(const QByteArray &topic, const QByteArray &payload);
    void connected();
    void connectFailed(int code);
    void disconnected(int code);

private:
    // What the network thread hands over; kept under a plain mutex so that the hand-over needs nothing of
    // Qt's cross-thread machinery but one queued wake-up.
    struct Event {
        enum class Kind { Message, Connected, ConnectFailed, Disconnected } kind;
        int code = 0;
        QByteArray topic;
        QByteArray payload;
    };

    void post(Event event);
    Q_INVOKABLE void deliverEvents();

    static void onConnect(mosquitto *client, void *self, int code);
    static void onDisconnect(mosquitto *client, void *self, int code);
    static void onMessage(mosquitto *client, void *self, const mosquitto_message *message);

    mosquitto *m_client = nullptr;
    QStringList m_topics;
    std::mutex m_inboxMutex;
    std::deque<Event> m_inbox;
    bool m_wakeUpPending = false;
};
