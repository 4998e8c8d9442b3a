#include "tools/controller-sim/SimulatorApp.h"

#include "tools/controller-sim/WireCodec.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace {

constexpr int StepIntervalMs = 1000;
constexpr double LongestStepSeconds = 5;
const QByteArray CommandSuffix = QByteArrayLiteral("/Out");

void status(const QString &text)
{
    std::fprintf(stderr, "controller-sim: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

SimulatorApp::SimulatorApp(SimulatorOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)),
      m_seed(m_options.seed.value_or(QRandomGenerator::system()->generate())),
      m_faults(m_options.dropPercent, m_options.malformed, m_seed ^ 0x5eedf00du)
{
    for (int i = 0; i < m_options.serials.size(); ++i) {
        m_controllers[m_options.serials[i].toUtf8()] =
            std::make_unique<ControllerModel>(m_options.schematicFor(i), m_seed + quint32(i) * 1000u);
    }
    connect(&m_client, &BrokerConnection::messageReceived, this, &SimulatorApp::onMessage);
    connect(&m_client, &BrokerConnection::connected, this, [this] {
        status(QStringLiteral("connected to %1:%2, serving %3")
                   .arg(m_options.host)
                   .arg(m_options.port)
                   .arg(m_options.serials.join(QLatin1Char(' '))));
    });
    connect(&m_client, &BrokerConnection::connectFailed, this, [](int code) {
        status(QStringLiteral("broker refused the connection (code %1), retrying").arg(code));
    });
    connect(&m_client, &BrokerConnection::disconnected, this, [](int code) {
        if (code != 0)
            status(QStringLiteral("connection lost (code %1), reconnecting").arg(code));
    });
    m_stepTimer.setInterval(StepIntervalMs);
    connect(&m_stepTimer, &QTimer::timeout, this, &SimulatorApp::stepControllers);
}

SimulatorApp::~SimulatorApp()
{
    m_client.stop();
}

bool SimulatorApp::start(QString *error)
{
    BrokerConnection::Settings settings;
    settings.host = m_options.host;
    settings.port = m_options.port;
    settings.user = m_options.user;
    settings.password = m_options.password;
    settings.clientId = QStringLiteral("controller-sim-%1").arg(QCoreApplication::applicationPid());
    for (const QString &serial : std::as_const(m_options.serials))
        settings.topics.append(serial + QString::fromLatin1(CommandSuffix));
    status(QStringLiteral("seed %1").arg(m_seed));
    if (!m_client.start(settings, error))
        return false;
    m_sinceLastStep.start();
    m_stepTimer.start();
    return true;
}

void SimulatorApp::onMessage(const QByteArray &topic, const QByteArray &payload)
{
    if (!topic.endsWith(CommandSuffix))
        return;
    const QByteArray serial = topic.left(topic.size() - CommandSuffix.size());
    const auto controller = m_controllers.find(serial);
    if (controller == m_controllers.end())
        return;

    const QByteArray line = serial + ' ' + WireCodec::printable(payload) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);

    QString reason;
    const std::optional<WireCommand> command = WireCodec::parseCommand(payload, &reason);
    if (!command) {
        status(QStringLiteral("%1: ignored command: %2").arg(QString::fromUtf8(serial), reason));
        return;
    }
    for (const WireAnswer &answer : controller->second->handle(*command))
        publishAnswer(serial, answer);
}

void SimulatorApp::publishAnswer(const QByteArray &serial, const WireAnswer &answer)
{
    if (m_faults.shouldDrop())
        return;
    const QByteArray topic = serial + answer.topicSuffix;
    const QByteArray payload = m_faults.pass(answer.payload);
    if (m_options.delayMs <= 0) {
        m_client.publish(topic, payload);
        return;
    }
    QTimer::singleShot(m_options.delayMs, this, [this, topic, payload] { m_client.publish(topic, payload); });
}

void SimulatorApp::stepControllers()
{
    const double seconds = std::min(m_sinceLastStep.restart() / 1000.0, LongestStepSeconds);
    for (auto &[serial, controller] : m_controllers)
        controller->step(seconds);
}
