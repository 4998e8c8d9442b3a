// What one controller answer costs the UI thread, and how long a read takes
// from the command to the value in the cache over a broker on loopback.
#include "app/DeploymentConfig.h"
#include "app/SharedState.h"
#include "link/AnswerDispatcher.h"
#include "link/DeviceLink.h"
#include "link/MqttClient.h"
#include "support/BrokerProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <benchmark/benchmark.h>
#include <mosquitto.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

const QString Serial = QStringLiteral("BENCH1");

QByteArray fullHoldingAnswer()
{
    QByteArray text = "53;4;1;50;";
    for (int r = 1; r <= 50; ++r)
        text += QByteArray::number(r == 30 ? 1 : 100 + r * 7) + ';';
    return text;
}

void BM_DispatchFullHoldingAnswer(benchmark::State &st)
{
    SharedState state;
    state.ActiveUser.ActiveTopic = Serial;
    AnswerDispatcher dispatcher(state);
    const QString topic = Serial + QStringLiteral("/Ret");
    const QByteArray payload = fullHoldingAnswer();
    for (auto _ : st) {
        const bool answered = dispatcher.MQTTPublishReceived(topic, payload);
        benchmark::DoNotOptimize(answered);
    }
    st.SetBytesProcessed(st.iterations() * payload.size());
}
BENCHMARK(BM_DispatchFullHoldingAnswer);

// The same through the window's handler: dispatch plus the circle signal.
void BM_DeviceLinkHandlesAnswer(benchmark::State &st)
{
    SharedState state;
    state.ActiveUser.ActiveTopic = Serial;
    DeviceLink link(state, DeploymentConfig{});
    int circle = 0;
    QObject::connect(&link, &DeviceLink::circleColourChanged, [&circle](Argb) { ++circle; });
    const QString topic = Serial + QStringLiteral("/Ret");
    const QByteArray payload = fullHoldingAnswer();
    for (auto _ : st)
        link.MQTTPublishReceived(0, topic, payload);
    benchmark::DoNotOptimize(circle);
}
BENCHMARK(BM_DeviceLinkHandlesAnswer);

// Answers every holding read at once, on its own network thread.
class EchoController {
public:
    explicit EchoController(const BrokerProcess &broker)
    {
        mosquitto_lib_init();
        m_mosq = mosquitto_new(nullptr, true, this);
        mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
        mosquitto_connect_callback_set(m_mosq, [](mosquitto *m, void *, int rc) {
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, (Serial + QStringLiteral("/Out")).toUtf8().constData(), 0);
        });
        mosquitto_subscribe_callback_set(m_mosq, [](mosquitto *, void *obj, int, int, const int *) {
            static_cast<EchoController *>(obj)->m_ready = true;
        });
        mosquitto_message_callback_set(m_mosq, [](mosquitto *m, void *, const mosquitto_message *msg) {
            static const QByteArray answer = fullHoldingAnswer();
            static const QByteArray ret = (Serial + QStringLiteral("/Ret")).toUtf8();
            if (QByteArray(static_cast<const char *>(msg->payload), msg->payloadlen) == "3;4;1;50;")
                mosquitto_publish(m, nullptr, ret.constData(), int(answer.size()), answer.constData(), 0,
                                  false);
        });
        mosquitto_loop_start(m_mosq);
        mosquitto_connect_async(m_mosq, broker.host().toUtf8().constData(), broker.port(), 30);
    }
    ~EchoController()
    {
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
        mosquitto_destroy(m_mosq);
    }
    bool ready() const { return m_ready; }

private:
    mosquitto *m_mosq = nullptr;
    std::atomic<bool> m_ready{false};
};

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Command -> broker -> controller -> broker -> client -> UI thread -> cache.
void roundTrip(benchmark::State &st, bool useSimulator)
{
    BrokerProcess broker;
    if (!broker.start()) {
        st.SkipWithError("mosquitto did not start");
        return;
    }
    std::unique_ptr<EchoController> echo;
    QProcess sim;
    if (useSimulator) {
        const QString path = QStringLiteral(TERMOVIA_SIM_PATH);
        if (!QFileInfo(path).isExecutable()) {
            st.SkipWithError("controller-sim is not built");
            return;
        }
        sim.start(path, {QStringLiteral("--host"), broker.host(), QStringLiteral("--port"),
                         QString::number(broker.port()), QStringLiteral("--serial"), Serial});
        if (!sim.waitForStarted(3000)) {
            st.SkipWithError("controller-sim did not start");
            return;
        }
    } else {
        echo = std::make_unique<EchoController>(broker);
        if (!waitUntil([&] { return echo->ready(); }, 3000)) {
            st.SkipWithError("echo controller did not subscribe");
            return;
        }
    }

    SharedState state;
    state.ActiveUser.ActiveTopic = Serial;
    AnswerDispatcher dispatcher(state);
    MqttClient client;
    QObject::connect(&client, &MqttClient::publishReceived,
                     [&](quint16, const QString &topic, const QByteArray &payload) {
                         dispatcher.MQTTPublishReceived(topic, payload);
                     });
    MqttSettings settings;
    settings.host = broker.host();
    settings.port = broker.port();
    settings.clientId = makeClientId();
    client.Connect(settings, true);
    if (!waitUntil([&] { return client.IsConnected(); }, 3000)) {
        st.SkipWithError("no connection");
        return;
    }
    client.Subscribe(Serial + QStringLiteral("/Ret"), 0);
    const QString out = Serial + QStringLiteral("/Out");
    const QString read = QStringLiteral("3;4;1;50;");
    // Warm up, and make sure the controller answers at all.
    state.HoldingRegsUpdated = false;
    bool answered = false;
    for (int i = 0; i < 30 && !answered; ++i) {
        client.Publish(out, read);
        answered = waitUntil([&] { return state.HoldingRegsUpdated; }, 200);
    }
    if (!answered) {
        st.SkipWithError("the controller does not answer");
        return;
    }
    waitUntil([] { return false; }, 100); // let stray answers of the warm-up pass

    std::vector<double> micros;
    for (auto _ : st) {
        state.HoldingRegsUpdated = false;
        QElapsedTimer t;
        t.start();
        client.Publish(out, read);
        while (!state.HoldingRegsUpdated)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double us = t.nsecsElapsed() / 1000.0;
        micros.push_back(us);
        st.SetIterationTime(us / 1e6);
    }
    std::sort(micros.begin(), micros.end());
    st.counters["median_us"] = micros[micros.size() / 2];
    st.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    st.counters["max_us"] = micros.back();
    client.Disconnect();
    client.waitForRetiredClients(2000);
    if (sim.state() != QProcess::NotRunning) {
        sim.terminate();
        if (!sim.waitForFinished(2000))
            sim.kill();
    }
}

void BM_RoundTripEchoPeer(benchmark::State &st)
{
    roundTrip(st, false);
}
BENCHMARK(BM_RoundTripEchoPeer)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_RoundTripControllerSim(benchmark::State &st)
{
    roundTrip(st, true);
}
BENCHMARK(BM_RoundTripControllerSim)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
