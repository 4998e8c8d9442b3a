// The broker link against a real mosquitto on loopback: connection states
// and texts, subscriptions, first reads, reconnects, the poller and shutdown.
#include "app/DeploymentConfig.h"
#include "app/SharedState.h"
#include "link/DeviceLink.h"
#include "link/MqttClient.h"
#include "link/PublishError.h"
#include "link/RegisterPoller.h"
#include "support/BrokerProcess.h"
#include "support/FreePort.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <mosquitto.h>

#include <functional>
#include <mutex>
#include <thread>

// The tests start brokers from a process that already runs threads; under
// ThreadSanitizer that needs leave to go on after fork.
#if defined(__SANITIZE_THREAD__)
extern "C" const char *__tsan_default_options()
{
    return "die_after_fork=0";
}
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
extern "C" const char *__tsan_default_options()
{
    return "die_after_fork=0";
}
#endif
#endif

namespace {

const QString Connected = QStringLiteral("ПОВРЗАНО");
const QString Rejected = QStringLiteral("ГРЕШКА");
const QString Lost = QStringLiteral("ВРСКАТА Е ПРЕКИНАТА");
const QString Connecting = QStringLiteral("ПОВРЗУВАЊЕ...");
const QString Reconnecting = QStringLiteral("ПРЕПОВРЗУВАЊЕ...");

const QString ReadAnalog = QStringLiteral("3;14;1;30;");
const QString ReadLow = QStringLiteral("3;4;1;50;");
const QString ReadHigh = QStringLiteral("3;4;51;50;");

QByteArray lowAnswer(int value)
{
    QByteArray text = "53;4;1;50;";
    for (int r = 1; r <= 50; ++r)
        text += QByteArray::number(r == 30 ? 1 : value) + ';';
    return text;
}

// A plain client on the broker, subscribed to everything, that records what
// it sees and can answer on its own network thread.
class MqttPeer {
public:
    using Responder = std::function<void(MqttPeer &, const QString &topic, const QByteArray &payload)>;

    explicit MqttPeer(const BrokerProcess &broker, Responder responder = {})
        : m_responder(std::move(responder))
    {
        mosquitto_lib_init();
        m_mosq = mosquitto_new(nullptr, true, this);
        if (!broker.user().isEmpty())
            mosquitto_username_pw_set(m_mosq, broker.user().toUtf8().constData(),
                                      broker.password().toUtf8().constData());
        mosquitto_connect_callback_set(m_mosq, [](mosquitto *m, void *, int rc) {
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, "#", 0);
        });
        mosquitto_subscribe_callback_set(m_mosq, [](mosquitto *, void *obj, int, int, const int *) {
            static_cast<MqttPeer *>(obj)->m_subscribed = true;
        });
        mosquitto_message_callback_set(m_mosq, [](mosquitto *, void *obj, const mosquitto_message *msg) {
            auto *self = static_cast<MqttPeer *>(obj);
            const QString topic = QString::fromUtf8(msg->topic);
            const QByteArray payload(static_cast<const char *>(msg->payload), msg->payloadlen);
            {
                std::lock_guard lock(self->m_mutex);
                self->m_messages.append({topic, payload});
            }
            if (self->m_responder)
                self->m_responder(*self, topic, payload);
        });
        mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
        mosquitto_loop_start(m_mosq);
        mosquitto_connect_async(m_mosq, broker.host().toUtf8().constData(), broker.port(), 30);
        if (!QTest::qWaitFor([this] { return m_subscribed.load(); }, 5000))
            qWarning("test peer did not get its subscription confirmed");
    }

    ~MqttPeer()
    {
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
        mosquitto_destroy(m_mosq);
    }

    bool isReady() const { return m_subscribed; }

    void publish(const QString &topic, const QByteArray &payload)
    {
        mosquitto_publish(m_mosq, nullptr, topic.toUtf8().constData(), int(payload.size()),
                          payload.constData(), 0, false);
    }

    QStringList payloadsOn(const QString &topic) const
    {
        std::lock_guard lock(m_mutex);
        QStringList list;
        for (const auto &m : m_messages)
            if (m.first == topic)
                list << QString::fromUtf8(m.second);
        return list;
    }

    QStringList topics() const
    {
        std::lock_guard lock(m_mutex);
        QStringList list;
        for (const auto &m : m_messages)
            list << m.first;
        return list;
    }

    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
    }

private:
    mosquitto *m_mosq = nullptr;
    Responder m_responder;
    std::atomic<bool> m_subscribed{false};
    mutable std::mutex m_mutex;
    QList<QPair<QString, QByteArray>> m_messages;
};

DeploymentConfig configFor(const BrokerProcess &broker)
{
    DeploymentConfig config;
    config.brokerHost = broker.host();
    config.brokerPort = broker.port();
    config.brokerUser = broker.user();
    config.brokerPassword = broker.password();
    return config;
}

// A DeviceLink for one owner and controller, with the texts it showed.
struct Link {
    SharedState state;
    DeviceLink link;
    QStringList texts;
    QList<Argb> textColours;
    QList<Argb> circle;

    Link(const DeploymentConfig &config, const QString &serial) : link(state, config)
    {
        state.ActiveUser.ActiveTopic = serial;
        state.LoginMode = 1;
        link.setReconnectDelaySeconds(1);
        QObject::connect(&link, &DeviceLink::statusTextChanged, [this](const QString &text, Argb colour) {
            texts << text;
            textColours << colour;
        });
        QObject::connect(&link, &DeviceLink::circleColourChanged, [this](Argb c) { circle << c; });
    }

    bool waitConnected(int ms = 5000)
    {
        return QTest::qWaitFor([this] { return link.statusText() == Connected && link.IsConnected(); }, ms);
    }
};

// Mosquitto's own log, gathered as it comes.
class BrokerLog {
public:
    explicit BrokerLog(BrokerProcess &broker) : m_broker(broker) {}
    // Clients of this program (identifiers "243-...") that connected and have
    // not gone again.
    int openProgramConnections();

private:
    BrokerProcess &m_broker;
    QByteArray m_text;
};

int BrokerLog::openProgramConnections()
{
    m_text += m_broker.log();
    int open = 0;
    for (const QByteArray &line : m_text.split('\n')) {
        if (line.contains("New client connected") && line.contains(" as 243-"))
            ++open;
        else if (line.contains("Client 243-") &&
                 (line.contains("disconnected") || line.contains("closed its connection")))
            --open;
    }
    return open;
}

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:
    void connectShowsStatesSubscribesAndReads();
    void unsubscribeOnlyWhileConnected();
    void publishingWithoutConnectionThrows();
    void twoQuickConnectsEndOnTheLastController();
    void brokerRestartReconnects();
    void wrongCredentialsShowError();
    void droppedConnectionAfterLogoutIsNotReopened();
    void pollerIsSilentWhileDisconnected();
    void pollerTurnsCircleRedBeforeEachPoll();
    void publishesFromTwoThreadsArriveIntact();
    void shutdownIsCleanAndPrompt_data();
    void shutdownIsCleanAndPrompt();
};

void TestLink::connectShowsStatesSubscribesAndReads()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    MqttPeer peer(broker);
    QVERIFY(peer.isReady());

    Link l(configFor(broker), QStringLiteral("SER1"));
    QCOMPARE(l.link.circleColour(), LinkColours::CircleIdle);
    QVERIFY(l.link.statusText().isEmpty());
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    QCOMPARE(l.texts, (QStringList{Connecting, Connected}));
    QCOMPARE(l.textColours, (QList<Argb>{LinkColours::StatusDisconnected, LinkColours::StatusConnected}));
    QCOMPARE(l.link.status(), csConnected);

    // The first full picture, analogue registers first.
    QTRY_COMPARE(peer.payloadsOn(QStringLiteral("SER1/Out")), (QStringList{ReadAnalog, ReadLow, ReadHigh}));

    // All four answer topics are subscribed.
    QSignalSpy received(&l.link.client(), &MqttClient::publishReceived);
    for (const char *suffix : {"/T", "/Ret", "/S", "/ARet"})
        peer.publish(QStringLiteral("SER1") + QLatin1String(suffix), "1;0;");
    peer.publish(QStringLiteral("SER1/Out"), "1;0;");
    peer.publish(QStringLiteral("SER2/Ret"), "1;0;");
    QTRY_COMPARE(received.size(), 4);
    QTest::qWait(100);
    QStringList topics;
    for (const auto &args : received)
        topics << args.at(1).toString();
    QCOMPARE(topics, (QStringList{"SER1/T", "SER1/Ret", "SER1/S", "SER1/ARet"}));

    // An answer reaches the caches and turns the circle green.
    peer.publish(QStringLiteral("SER1/Ret"), lowAnswer(21));
    QTRY_COMPARE(l.state.HoldingRegs[5], 21);
    QCOMPARE(l.link.circleColour(), LinkColours::CircleAnswered);

    // A clean disconnect leaves no "connected" text behind.
    l.link.Disconnect();
    QTRY_COMPARE(l.link.statusText(), QString());
    QCOMPARE(l.link.statusColour(), LinkColours::StatusDisconnected);
    QVERIFY(!l.link.IsConnected());
    QCOMPARE(l.link.status(), csNotConnected);
}

void TestLink::unsubscribeOnlyWhileConnected()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.unsubpacket = 77;
    l.link.UnSubscribe(QStringLiteral("SER1/T"));
    QCOMPARE(l.link.unsubpacket, quint16(77));

    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    QVERIFY(l.link.subpacket != 0);
    l.link.UnSubscribe(QStringLiteral("SER1/T"));
    QVERIFY(l.link.unsubpacket != 77);

    // The topic no longer arrives; the others still do.
    MqttPeer peer(broker);
    QSignalSpy received(&l.link.client(), &MqttClient::publishReceived);
    QTest::qWait(100);
    peer.publish(QStringLiteral("SER1/T"), "x");
    peer.publish(QStringLiteral("SER1/S"), "y");
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("SER1/S"));
}

void TestLink::publishingWithoutConnectionThrows()
{
    SharedState state;
    state.ActiveUser.ActiveTopic = QStringLiteral("SER1");
    DeploymentConfig config;
    config.brokerHost = QStringLiteral("127.0.0.1");
    config.brokerPort = freeLoopbackPort();
    DeviceLink link(state, config);
    QVERIFY_THROWS_EXCEPTION(PublishError, link.WriteHREG(1, 1));
    QVERIFY_THROWS_EXCEPTION(PublishError, link.Publish(QStringLiteral("1;9;")));
    // Still connecting to a port nobody listens on: no connection yet.
    link.ConnectMQTT();
    QVERIFY_THROWS_EXCEPTION(PublishError, link.ReadBatchHREG(1, 50));
}

void TestLink::twoQuickConnectsEndOnTheLastController()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    BrokerLog brokerLog(broker);
    MqttPeer peer(broker);
    QVERIFY(peer.isReady());

    Link l(configFor(broker), QStringLiteral("DEV_A"));
    l.link.ConnectMQTT();
    l.state.ActiveUser.ActiveTopic = QStringLiteral("DEV_B");
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    QTRY_COMPARE(peer.payloadsOn(QStringLiteral("DEV_B/Out")).size(), 3);

    QSignalSpy received(&l.link.client(), &MqttClient::publishReceived);
    peer.publish(QStringLiteral("DEV_A/Ret"), lowAnswer(5));
    peer.publish(QStringLiteral("DEV_A/T"), "a");
    peer.publish(QStringLiteral("DEV_B/T"), "b");
    QTRY_COMPARE(received.size(), 1);
    QTest::qWait(200);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("DEV_B/T"));
    QVERIFY(peer.payloadsOn(QStringLiteral("DEV_A/Out")).isEmpty());
    QCOMPARE(l.state.HoldingRegs[5], 0);
    QCOMPARE(l.texts.count(Connected), 1);

    // The broker holds exactly one connection of the program.
    QTRY_COMPARE(brokerLog.openProgramConnections(), 1);
}

void TestLink::brokerRestartReconnects()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    BrokerLog brokerLog(broker);
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.startPolling();
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    l.texts.clear();

    broker.kill();
    QTRY_VERIFY(l.texts.contains(Lost));
    QTRY_VERIFY(l.texts.contains(Connecting));                      // the one immediate reconnect
    QTRY_VERIFY_WITH_TIMEOUT(l.texts.contains(Reconnecting), 4000); // the client's own retries
    QVERIFY(!l.link.IsConnected());
    QCOMPARE(l.texts.count(Connecting), 1);
    QVERIFY(l.texts.indexOf(Lost) < l.texts.indexOf(Connecting));
    QVERIFY(l.texts.indexOf(Connecting) < l.texts.indexOf(Reconnecting));

    QVERIFY(broker.restart());
    QVERIFY(l.waitConnected(6000));
    QCOMPARE(l.texts.last(), Connected);

    // Subscriptions are back and polling resumes.
    MqttPeer peer(broker);
    QVERIFY(peer.isReady());
    peer.publish(QStringLiteral("SER1/Ret"), lowAnswer(33));
    QTRY_COMPARE(l.state.HoldingRegs[7], 33);
    QTRY_VERIFY_WITH_TIMEOUT(peer.payloadsOn(QStringLiteral("SER1/Out")).contains(ReadLow), 3000);
    QTRY_COMPARE(brokerLog.openProgramConnections(), 1);
}

void TestLink::wrongCredentialsShowError()
{
    BrokerProcess broker(QStringLiteral("dem"), QStringLiteral("right123"));
    QVERIFY(broker.start());
    DeploymentConfig config = configFor(broker);
    config.brokerPassword = QStringLiteral("wrong123");
    Link l(config, QStringLiteral("SER1"));
    l.link.ConnectMQTT();
    QTRY_COMPARE(l.link.statusText(), Rejected);
    QCOMPARE(l.link.statusColour(), LinkColours::StatusDisconnected);
    QVERIFY(isRejection(l.link.status()));
    // The client's own retries get the same answer; the program opens no
    // further connections of its own.
    QTest::qWait(2500);
    QCOMPARE(l.link.statusText(), Rejected);
    QCOMPARE(l.texts.count(Connecting), 1);
    QVERIFY(!l.link.IsConnected());

    Link good(configFor(broker), QStringLiteral("SER1"));
    good.link.ConnectMQTT();
    QVERIFY(good.waitConnected());
}

void TestLink::droppedConnectionAfterLogoutIsNotReopened()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    BrokerLog brokerLog(broker);
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());

    // Nobody logged in: the handler does not reconnect.
    l.state.LoginMode = 0;
    l.texts.clear();
    broker.kill();
    QTRY_VERIFY(l.texts.contains(Lost));
    QTest::qWait(300);
    QVERIFY(!l.texts.contains(Connecting));

    // Logout disconnects: nothing comes back when the broker does.
    l.link.Disconnect();
    QVERIFY(broker.restart());
    l.texts.clear();
    QTest::qWait(2500);
    QVERIFY(!l.texts.contains(Connected));
    QVERIFY(!l.link.IsConnected());
    QCOMPARE(brokerLog.openProgramConnections(), 0);
}

void TestLink::pollerIsSilentWhileDisconnected()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    MqttPeer peer(broker);
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.startPolling();
    QTest::qWait(1200);
    QVERIFY(l.circle.isEmpty()); // never connected: the circle stays grey

    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    QTRY_VERIFY(l.circle.contains(LinkColours::CirclePolled));
    l.link.Disconnect();
    QTRY_VERIFY(!l.link.IsConnected());
    QTest::qWait(300);
    const int outBefore = peer.payloadsOn(QStringLiteral("SER1/Out")).size();
    const int circleBefore = int(l.circle.size());
    QTest::qWait(2000);
    QCOMPARE(peer.payloadsOn(QStringLiteral("SER1/Out")).size(), outBefore);
    QCOMPARE(l.circle.size(), circleBefore);

    // stop() does not wait out the poller's sleep.
    QElapsedTimer t;
    t.start();
    l.link.stop();
    QVERIFY2(t.elapsed() < 200, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!l.link.poller().isRunning());
}

void TestLink::pollerTurnsCircleRedBeforeEachPoll()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    // A controller that answers every read at once.
    MqttPeer controller(broker, [](MqttPeer &self, const QString &topic, const QByteArray &payload) {
        if (topic == QLatin1String("SER1/Out") && payload == "3;4;1;50;")
            self.publish(QStringLiteral("SER1/Ret"), lowAnswer(9));
    });
    QVERIFY(controller.isReady());
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    l.link.startPolling();
    QTest::qWait(3300); // two or three polls
    // Every red is followed by the green of its answer, never the other way round.
    QVERIFY(l.circle.count(LinkColours::CirclePolled) >= 2);
    QCOMPARE(l.circle.last(), LinkColours::CircleAnswered);
    for (int i = 1; i < l.circle.size(); ++i)
        if (l.circle[i] == LinkColours::CirclePolled)
            QCOMPARE(l.circle[i - 1], LinkColours::CircleAnswered);
    // About one poll every 1500 ms.
    const int polls = int(controller.payloadsOn(QStringLiteral("SER1/Out")).count(ReadLow));
    QVERIFY2(polls >= 3 && polls <= 4, qPrintable(QString::number(polls)));
}

void TestLink::publishesFromTwoThreadsArriveIntact()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    MqttPeer peer(broker);
    Link l(configFor(broker), QStringLiteral("SER1"));
    l.link.ConnectMQTT();
    QVERIFY(l.waitConnected());
    l.link.startPolling();
    QTRY_VERIFY(peer.payloadsOn(QStringLiteral("SER1/Out")).size() >= 3);

    constexpr int Count = 400;
    const QString filler = QStringLiteral("ПОВРЗАНО-").repeated(8);
    QSet<QString> expected;
    for (int i = 0; i < Count; ++i) {
        expected << QStringLiteral("T;%1;%2;").arg(i).arg(filler);
        expected << QStringLiteral("U;%1;%2;").arg(i).arg(filler);
    }
    std::atomic<int> failures{0};
    std::thread other([&] {
        for (int i = 0; i < Count; ++i) {
            try {
                l.link.pubpacketid = l.link.client().Publish(QStringLiteral("SER1/Out"),
                                                             QStringLiteral("T;%1;%2;").arg(i).arg(filler));
            } catch (const PublishError &) {
                ++failures;
            }
        }
    });
    for (int i = 0; i < Count; ++i)
        l.link.Publish(QStringLiteral("U;%1;%2;").arg(i).arg(filler));
    other.join();
    QCOMPARE(failures.load(), 0);

    auto received = [&] {
        QSet<QString> set;
        for (const QString &p : peer.payloadsOn(QStringLiteral("SER1/Out")))
            if (!p.startsWith(QLatin1String("3;")))
                set << p;
        return set;
    };
    QTRY_COMPARE_WITH_TIMEOUT(received().size(), 2 * Count, 10000);
    QCOMPARE(received(), expected);
}

void TestLink::shutdownIsCleanAndPrompt_data()
{
    QTest::addColumn<bool>("brokerUp");
    QTest::newRow("while polling a live broker") << true;
    QTest::newRow("while retrying a dead broker") << false;
}

void TestLink::shutdownIsCleanAndPrompt()
{
    QFETCH(bool, brokerUp);
    BrokerProcess broker;
    QVERIFY(broker.start());
    BrokerLog brokerLog(broker);
    DeploymentConfig config = configFor(broker);
    if (!brokerUp)
        broker.kill();
    for (int round = 0; round < 5; ++round) {
        auto *l = new Link(config, QStringLiteral("SER1"));
        l->link.startPolling();
        l->link.ConnectMQTT();
        if (brokerUp)
            QVERIFY(l->waitConnected());
        QTest::qWait(round * 170);
        // A message arriving now is queued for an object about to go.
        QElapsedTimer t;
        t.start();
        delete l;
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QTest::qWait(50); // whatever was still queued must not reach the dead objects
    }
    if (brokerUp)
        QTRY_COMPARE(brokerLog.openProgramConnections(), 0);
}

QTEST_GUILESS_MAIN(TestLink)
#include "test_link.moc"
