// The controller simulator as a black box: a real broker, the simulator as a process, and a small
// libmosquitto client that sends commands and reads the answers.

#include "support/BrokerProcess.h"
#include "support/FreePort.h"

#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <atomic>
#include <csignal>
#include <mosquitto.h>
#include <mutex>
#include <optional>

namespace {

struct ReceivedMessage {
    QByteArray topic;
    QByteArray payload;
    qint64 atMs = 0;
};

// Subscribes to every controller answer topic and keeps what arrives.
class AnswerProbe {
public:
    AnswerProbe() { m_clock.start(); }
    ~AnswerProbe()
    {
        if (!m_client)
            return;
        mosquitto_disconnect(m_client);
        mosquitto_loop_stop(m_client, false);
        mosquitto_destroy(m_client);
    }

    bool connectTo(const BrokerProcess &broker)
    {
        m_client = mosquitto_new(nullptr, true, this);
        mosquitto_username_pw_set(m_client, broker.user().toUtf8().constData(),
                                  broker.password().toUtf8().constData());
        mosquitto_int_option(m_client, MOSQ_OPT_TCP_NODELAY, 1);
        mosquitto_connect_callback_set(m_client, [](mosquitto *client, void *, int rc) {
            if (rc == 0) {
                const char *topics[] = {"+/Ret", "+/ARet", "+/S"};
                mosquitto_subscribe_multiple(client, nullptr, 3, const_cast<char *const *>(topics), 0, 0,
                                             nullptr);
            }
        });
        mosquitto_subscribe_callback_set(m_client, [](mosquitto *, void *self, int, int, const int *) {
            static_cast<AnswerProbe *>(self)->m_subscribed = true;
        });
        mosquitto_message_callback_set(m_client, [](mosquitto *, void *self, const mosquitto_message *m) {
            auto *probe = static_cast<AnswerProbe *>(self);
            std::lock_guard lock(probe->m_mutex);
            probe->m_messages.append({QByteArray(m->topic),
                                      QByteArray(static_cast<const char *>(m->payload), m->payloadlen),
                                      probe->m_clock.elapsed()});
        });
        if (mosquitto_loop_start(m_client) != MOSQ_ERR_SUCCESS ||
            mosquitto_connect_async(m_client, "127.0.0.1", broker.port(), 10) != MOSQ_ERR_SUCCESS)
            return false;
        return QTest::qWaitFor([this] { return m_subscribed.load(); }, 5000);
    }

    qint64 now() const { return m_clock.elapsed(); }

    void publish(const QByteArray &topic, const QByteArray &payload)
    {
        QCOMPARE(mosquitto_publish(m_client, nullptr, topic.constData(), int(payload.size()),
                                   payload.constData(), 0, false),
                 MOSQ_ERR_SUCCESS);
    }

    QList<ReceivedMessage> messages(const QByteArray &topic, qsizetype from = 0) const
    {
        std::lock_guard lock(m_mutex);
        QList<ReceivedMessage> found;
        for (qsizetype i = from; i < m_messages.size(); ++i)
            if (m_messages[i].topic == topic)
                found.append(m_messages[i]);
        return found;
    }

    qsizetype mark() const
    {
        std::lock_guard lock(m_mutex);
        return m_messages.size();
    }

    // Sends a read and repeats it (as the program's poller does) until an answer with the header arrives.
    std::optional<ReceivedMessage> ask(const QByteArray &serial, const QByteArray &command,
                                       const QByteArray &suffix, const QByteArray &header,
                                       int timeoutMs = 5000)
    {
        const qsizetype from = mark();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            publish(serial + "/Out", command);
            const bool answered = QTest::qWaitFor(
                [&] {
                    for (const ReceivedMessage &m : messages(serial + suffix, from))
                        if (m.payload.startsWith(header))
                            return true;
                    return false;
                },
                300);
            if (answered) {
                for (const ReceivedMessage &m : messages(serial + suffix, from))
                    if (m.payload.startsWith(header))
                        return m;
            }
        }
        return std::nullopt;
    }

private:
    mosquitto *m_client = nullptr;
    std::atomic<bool> m_subscribed{false};
    mutable std::mutex m_mutex;
    QList<ReceivedMessage> m_messages;
    QElapsedTimer m_clock;
};

// The simulator process; stopped (and waited for) when it goes out of scope.
class Simulator {
public:
    ~Simulator()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished(3000);
    }

    bool start(const BrokerProcess &broker, const QStringList &arguments)
    {
        QStringList all = {"--host", "127.0.0.1", "--port", QString::number(broker.port())};
        if (!broker.user().isEmpty())
            all += {"--user", broker.user(), "--password", broker.password()};
        process.start(QStringLiteral(TERMOVIA_SIM_PATH), all + arguments);
        return process.waitForStarted(5000);
    }

    QByteArray output()
    {
        m_output += process.readAllStandardOutput();
        return m_output;
    }

    // Repeats a harmless read until the simulator logs it: from then on it hears this serial's commands.
    bool waitServing(AnswerProbe &probe, const QByteArray &serial)
    {
        const QByteArray line = serial + " 2;7;30;\n";
        for (int attempt = 0; attempt < 25; ++attempt) {
            probe.publish(serial + "/Out", "2;7;30;");
            if (QTest::qWaitFor([&] { return output().contains(line); }, 200))
                return true;
        }
        return false;
    }

    QProcess process;

private:
    QByteArray m_output;
};

QList<QByteArray> fieldsOf(const QByteArray &payload)
{
    return payload.split(';');
}

// Holding register reg as the program reads it: from the batch answers of 1..50 and 51..100.
std::optional<int> readHolding(AnswerProbe &probe, const QByteArray &serial, int reg)
{
    const QByteArray header = reg <= 50 ? "53;4;1;50;" : "53;4;51;50;";
    const QByteArray command = reg <= 50 ? "3;4;1;50;" : "3;4;51;50;";
    const auto answer = probe.ask(serial, command, "/Ret", header);
    if (!answer)
        return std::nullopt;
    return fieldsOf(answer->payload).value(3 + (reg - 1) % 50 + 1).toInt();
}

std::optional<int> readAnalog(AnswerProbe &probe, const QByteArray &serial, int reg)
{
    const auto answer = probe.ask(serial, "3;14;1;30;", "/ARet", "33;14;1;30;");
    if (!answer)
        return std::nullopt;
    return fieldsOf(answer->payload).value(3 + reg).toInt();
}

// Polls an analogue register until it shows the value; the heat model steps once a second.
bool analogBecomes(AnswerProbe &probe, const QByteArray &serial, int reg, int value, int timeoutMs = 4000)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        if (readAnalog(probe, serial, reg) == value)
            return true;
        QTest::qWait(250);
    }
    return false;
}

// Sends the list request and returns the "/S" answers that follow, once no more arrive.
QList<QByteArray> listSchedules(AnswerProbe &probe, const QByteArray &serial, int expected)
{
    const qsizetype from = probe.mark();
    probe.publish(serial + "/Out", "1;9;");
    (void)QTest::qWaitFor([&] { return probe.messages(serial + "/S", from).size() >= expected; }, 3000);
    QTest::qWait(150); // nothing more may follow
    QList<QByteArray> payloads;
    for (const ReceivedMessage &m : probe.messages(serial + "/S", from))
        payloads.append(m.payload);
    return payloads;
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void readsAnswerInExactShapes_data();
    void readsAnswerInExactShapes();
    void writesAreStored_data();
    void writesAreStored();
    void malformedCommandsChangeNothing();
    void clockCommandSetsTheClock();
    void schedulesAddListDelete();
    void everyLayoutShowsPlausibleValues_data();
    void everyLayoutShowsPlausibleValues();
    void heaterFollowsSetpointSwitchAndTimer();
    void faultOptions_data();
    void faultOptions();
    void delayedAnswers();
    void stopsCleanly_data();
    void stopsCleanly();

private:
    BrokerProcess m_broker{QStringLiteral("dem"), QStringLiteral("demo2024")};
    AnswerProbe m_probe;
    Simulator m_shared; // serial READ on schematic 15, LAYOUT on schematic 1
};

void TestSimulator::initTestCase()
{
    QVERIFY(m_broker.start());
    QVERIFY(m_probe.connectTo(m_broker));
    QVERIFY(m_shared.start(m_broker, {"--serial", "READ", "--serial", "LAYOUT", "--schematic", "15",
                                      "--schematic", "1", "--seed", "11"}));
    QVERIFY(m_shared.waitServing(m_probe, "READ"));
}

void TestSimulator::readsAnswerInExactShapes_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("suffix");
    QTest::addColumn<QString>("shape");
    // Holding register 30 (field 33) carries the schematic the controller was started with.
    QTest::newRow("holding 1-50") << QByteArray("3;4;1;50;") << QByteArray("/Ret")
                                  << R"(53;4;1;50;(-?\d+;){29}15;(-?\d+;){20})";
    QTest::newRow("holding 51-100") << QByteArray("3;4;51;50;") << QByteArray("/Ret")
                                    << R"(53;4;51;50;(-?\d+;){50})";
    QTest::newRow("holding past the last register reads 0")
        << QByteArray("3;4;97;6;") << QByteArray("/Ret") << R"(9;4;97;6;(-?\d+;){4}0;0;)";
    QTest::newRow("one holding register") << QByteArray("2;7;30;") << QByteArray("/Ret") << R"(3;7;30;15;)";
    QTest::newRow("analogue 1-30") << QByteArray("3;14;1;30;") << QByteArray("/ARet")
                                   << R"(33;14;1;30;(-?\d+;){29}\d\d;)";
    QTest::newRow("clock") << QByteArray("3;14;30;7;") << QByteArray("/ARet")
                           << R"(10;14;30;7;\d\d;\d\d;\d\d;[1-7];\d\d;\d\d;\d\d;)";
    QTest::newRow("analogue from 2") << QByteArray("3;14;2;3;") << QByteArray("/ARet")
                                     << R"(6;14;2;3;(-?\d+;){3})";
    QTest::newRow("blanks around fields")
        << QByteArray("3; 4 ;1;\t50;") << QByteArray("/Ret") << R"(53;4;1;50;(-?\d+;){50})";
}

void TestSimulator::readsAnswerInExactShapes()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, suffix);
    QFETCH(QString, shape);
    // The answer's header is the literal start of its shape, up to the first pattern character.
    const QByteArray header = shape.left(shape.indexOf(QRegularExpression(R"([(\\])"))).toLatin1();
    const auto answer = m_probe.ask("READ", command, suffix, header);
    QVERIFY2(answer, "no answer");
    const QRegularExpression exact(QRegularExpression::anchoredPattern(shape));
    QVERIFY2(exact.match(QString::fromLatin1(answer->payload)).hasMatch(), answer->payload.constData());
}

void TestSimulator::writesAreStored_data()
{
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("expected");
    QTest::newRow("schematic") << QList<QByteArray>{"3;6;30;15;"} << 30 << 15;
    QTest::newRow("mode") << QList<QByteArray>{"3;6;1;2;"} << 1 << 2;
    QTest::newRow("negative value") << QList<QByteArray>{"3;6;5;-3;"} << 5 << -3;
    QTest::newRow("batch") << QList<QByteArray>{"5;3;40;2;61;62;"} << 41 << 62;
    QTest::newRow("batch up to the last register") << QList<QByteArray>{"5;3;99;2;7;8;"} << 100 << 8;
    QTest::newRow("batch past the end changes nothing") << QList<QByteArray>{"5;3;100;2;7;8;"} << 100 << 0;
    QTest::newRow("write outside the registers changes nothing")
        << QList<QByteArray>{"3;6;0;9;", "3;6;101;9;", "3;6;-30;9;"} << 30 << 1;
    QTest::newRow("a new schematic brings its wanted temperatures")
        << QList<QByteArray>{"3;6;30;10;"} << 42 << 55;
    QTest::newRow("batch values win over the new schematic's")
        << QList<QByteArray>{"14;3;30;11;10;0;0;0;0;0;0;0;0;0;44;"} << 40 << 44;
    QTest::newRow("last write wins") << QList<QByteArray>{"3;6;22;30;", "3;6;22;31;"} << 22 << 31;
}

void TestSimulator::writesAreStored()
{
    QFETCH(QList<QByteArray>, commands);
    QFETCH(int, reg);
    QFETCH(int, expected);
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "W", "--schematic", "1", "--seed", "3"}));
    QVERIFY(sim.waitServing(m_probe, "W"));
    for (const QByteArray &command : commands)
        m_probe.publish("W/Out", command);
    QCOMPARE(readHolding(m_probe, "W", reg), expected);
    if (reg == 30)
        QCOMPARE(readHolding(m_probe, "READ", 30), 15); // the other process's controller is its own
}

void TestSimulator::malformedCommandsChangeNothing()
{
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "BAD", "--seed", "5"}));
    QVERIFY(sim.waitServing(m_probe, "BAD"));
    const auto before = m_probe.ask("BAD", "3;4;1;50;", "/Ret", "53;4;1;50;");
    QVERIFY(before);
    const QList<QByteArray> bad = {
        "",
        "junk",
        "3;6;30;",
        "3;6;30;9",
        "2;6;30;9;",
        "3;6;30;x;",
        "3;6;30;+9;",
        "3;6;30;99999999999;",
        "5;3;30;3;9;",
        "4;3;30;-1;",
        "3;99;30;9;",
        "\xff\xfe;",
        "9;8;0;10;00;00;1;1;0;40;",
        "9;8;64;24;00;00;1;1;0;40;",
        "9;8;64;10;00;00;5;1;0;40;",
        "8;13;25;02;30;3;10;00;00;",
        "2;12;1;",
        "3;4;1;-5;",
        "3;4;1;100000;",
        "1;11;9;",
    };
    for (const QByteArray &command : bad)
        m_probe.publish("BAD/Out", command);
    const auto after = m_probe.ask("BAD", "3;4;1;50;", "/Ret", "53;4;1;50;");
    QVERIFY(after);
    QCOMPARE(after->payload, before->payload);
    QCOMPARE(listSchedules(m_probe, "BAD", 1), QList<QByteArray>{"3;9;1;0;"});
    // Every command is logged on one line, unprintable bytes escaped.
    QVERIFY(sim.output().contains("BAD \\xff\\xfe;\n"));
    QVERIFY(sim.output().contains("BAD 3;6;30;99999999999;\n"));
}

void TestSimulator::clockCommandSetsTheClock()
{
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "CLK", "--seed", "5"}));
    QVERIFY(sim.waitServing(m_probe, "CLK"));

    // Until it is set, the controller follows the PC's clock.
    auto answer = m_probe.ask("CLK", "3;14;30;7;", "/ARet", "10;14;30;7;");
    QVERIFY(answer);
    const QDate today = QDate::currentDate();
    QCOMPARE(fieldsOf(answer->payload).mid(4, 3),
             (QList<QByteArray>{today.toString("yy").toLatin1(), today.toString("MM").toLatin1(),
                                today.toString("dd").toLatin1()}));

    m_probe.publish("CLK/Out", "8;13;25;03;05;3;14;07;09;");
    QTest::qWait(1100);
    answer = m_probe.ask("CLK", "3;14;30;7;", "/ARet", "10;14;30;7;25;");
    QVERIFY(answer);
    QList<QByteArray> fields = fieldsOf(answer->payload);
    QCOMPARE(fields.mid(4, 6), (QList<QByteArray>{"25", "03", "05", "3", "14", "07"}));
    QVERIFY2(fields[10].toInt() >= 10 && fields[10].toInt() <= 13, fields[10].constData()); // it runs on

    // A date that does not exist is refused; the clock keeps running from the last valid setting.
    m_probe.publish("CLK/Out", "8;13;25;02;30;6;10;00;00;");
    answer = m_probe.ask("CLK", "3;14;30;7;", "/ARet", "10;14;30;7;");
    QVERIFY(answer);
    QCOMPARE(fieldsOf(answer->payload).mid(4, 6), (QList<QByteArray>{"25", "03", "05", "3", "14", "07"}));
    // The year is analogue register 30, the last value of the analogue batch.
    QCOMPARE(readAnalog(m_probe, "CLK", 30), 25);
}

void TestSimulator::schedulesAddListDelete()
{
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "SCH", "--seed", "5"}));
    QVERIFY(sim.waitServing(m_probe, "SCH"));
    QCOMPARE(listSchedules(m_probe, "SCH", 1), QList<QByteArray>{"3;9;1;0;"});

    // Monday and Wednesday at 14:30 on output 2, then Sunday 06:05 off on output 3 (hour with a leading
    // zero).
    m_probe.publish("SCH/Out", "9;8;80;14;30;00;2;1;0;22;");
    m_probe.publish("SCH/Out", "9;8;1;06;05;00;3;0;0;40;");
    QCOMPARE(listSchedules(m_probe, "SCH", 3),
             (QList<QByteArray>{"11;9;1;3;1;14;30;0;2;1;0;22;", "11;9;2;3;3;14;30;0;2;1;0;22;",
                                "11;9;3;3;7;6;5;0;3;0;0;40;"}));

    m_probe.publish("SCH/Out", "2;12;1;");
    m_probe.publish("SCH/Out", "2;12;9;"); // no such entry
    QCOMPARE(listSchedules(m_probe, "SCH", 2),
             (QList<QByteArray>{"11;9;1;2;3;14;30;0;2;1;0;22;", "11;9;2;2;7;6;5;0;3;0;0;40;"}));

    m_probe.publish("SCH/Out", "1;11;");
    QCOMPARE(listSchedules(m_probe, "SCH", 1), QList<QByteArray>{"3;9;1;0;"});
}

void TestSimulator::everyLayoutShowsPlausibleValues_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<QList<int>>("sensors");
    QTest::addColumn<QList<int>>("outputs");
    const QList<int> fiveSensors = {1, 2, 3, 4, 5};
    const QList<int> fourSensors = {1, 2, 3, 4};
    QTest::newRow("1") << 1 << fiveSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("2") << 2 << fiveSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("fallback 0") << 0 << fiveSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("10") << 10 << fiveSensors << QList<int>{17, 18, 19, 20};
    QTest::newRow("11") << 11 << fiveSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("12") << 12 << fiveSensors << QList<int>{17, 18, 19, 20};
    QTest::newRow("13") << 13 << fiveSensors << QList<int>{17, 18, 19, 20};
    QTest::newRow("15") << 15 << fiveSensors << QList<int>{17, 18, 19, 21};
    QTest::newRow("16") << 16 << fourSensors << QList<int>{16, 17, 18};
    QTest::newRow("18") << 18 << fourSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("20") << 20 << fourSensors << QList<int>{16, 17, 18, 19};
    QTest::newRow("21") << 21 << fourSensors << QList<int>{16, 17, 18, 19};
}

void TestSimulator::everyLayoutShowsPlausibleValues()
{
    QFETCH(int, schematic);
    QFETCH(QList<int>, sensors);
    QFETCH(QList<int>, outputs);
    m_probe.publish("LAYOUT/Out", "3;6;30;" + QByteArray::number(schematic) + ";");
    QCOMPARE(readHolding(m_probe, "LAYOUT", 30), schematic);
    const auto answer = m_probe.ask("LAYOUT", "3;14;1;30;", "/ARet", "33;14;1;30;");
    QVERIFY(answer);
    const QList<QByteArray> fields = fieldsOf(answer->payload);
    int warm = 0;
    for (const int reg : sensors) {
        const int value = fields[3 + reg].toInt();
        QVERIFY2(value >= -30 && value <= 150,
                 qPrintable(QStringLiteral("register %1: %2").arg(reg).arg(value)));
        warm += value >= 25 ? 1 : 0;
    }
    QVERIFY2(warm > 0, answer->payload.constData()); // tanks start warm on every layout
    for (const int reg : outputs)
        QVERIFY(fields[3 + reg] == "0" || fields[3 + reg] == "1");
}

void TestSimulator::heaterFollowsSetpointSwitchAndTimer()
{
    // Schematic 1: the boiler's electric heater is analogue 18, wanted temperature holding 8,
    // switch holding 15, timer switch holding 25 with schedule output 3.
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "HEAT", "--schematic", "1", "--seed", "9"}));
    QVERIFY(sim.waitServing(m_probe, "HEAT"));
    m_probe.publish("HEAT/Out", "3;6;8;95;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 1));

    m_probe.publish("HEAT/Out", "3;6;15;0;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 0));
    m_probe.publish("HEAT/Out", "3;6;15;1;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 1));

    // With timers enabled, an "off" entry in force every day overrides the switch; deleting it gives control
    // back.
    m_probe.publish("HEAT/Out", "9;8;127;0;00;00;3;0;0;40;");
    m_probe.publish("HEAT/Out", "3;6;25;1;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 0));
    m_probe.publish("HEAT/Out", "1;11;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 1));

    m_probe.publish("HEAT/Out", "3;6;8;10;");
    QVERIFY(analogBecomes(m_probe, "HEAT", 18, 0));
}

void TestSimulator::faultOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("minGood");
    QTest::addColumn<int>("maxGood");
    QTest::addColumn<int>("minBad");
    QTest::newRow("drop all") << QStringList{"--drop-answers", "100"} << 0 << 0 << 0;
    QTest::newRow("drop half") << QStringList{"--drop-answers", "50"} << 6 << 34 << 0;
    QTest::newRow("malformed") << QStringList{"--malformed"} << 15 << 39 << 1;
}

void TestSimulator::faultOptions()
{
    QFETCH(QStringList, options);
    QFETCH(int, minGood);
    QFETCH(int, maxGood);
    QFETCH(int, minBad);
    Simulator sim;
    // SYNC only tells when the simulator listens; FAULT takes the measured requests.
    QVERIFY(
        sim.start(m_broker, QStringList{"--serial", "SYNC", "--serial", "FAULT", "--seed", "21"} + options));
    QVERIFY(sim.waitServing(m_probe, "SYNC"));
    const qsizetype from = m_probe.mark();
    constexpr int Requests = 40;
    for (int i = 0; i < Requests; ++i) {
        m_probe.publish("FAULT/Out", "3;4;1;50;");
        QTest::qWait(15);
    }
    QTest::qWait(500);
    const QRegularExpression exact(QRegularExpression::anchoredPattern(R"(53;4;1;50;(-?\d+;){50})"));
    int good = 0;
    int bad = 0;
    for (const ReceivedMessage &m : m_probe.messages("FAULT/Ret", from))
        (exact.match(QString::fromLatin1(m.payload)).hasMatch() ? good : bad) += 1;
    QVERIFY2(good >= minGood && good <= maxGood, qPrintable(QStringLiteral("%1 good answers").arg(good)));
    QVERIFY2(bad >= minBad, qPrintable(QStringLiteral("%1 malformed answers").arg(bad)));
    if (minBad == 0)
        QCOMPARE(bad, 0);
    QCOMPARE(sim.output().count("FAULT 3;4;1;50;\n"), Requests);
}

void TestSimulator::delayedAnswers()
{
    Simulator sim;
    QVERIFY(sim.start(m_broker, {"--serial", "SLOW", "--delay", "400", "--seed", "2"}));
    QVERIFY(sim.waitServing(m_probe, "SLOW"));
    QTest::qWait(500); // the answers to the warm-up reads
    const qsizetype from = m_probe.mark();
    const qint64 sentAt = m_probe.now();
    m_probe.publish("SLOW/Out", "3;14;1;30;");
    QVERIFY(QTest::qWaitFor([&] { return !m_probe.messages("SLOW/ARet", from).isEmpty(); }, 3000));
    const qint64 took = m_probe.messages("SLOW/ARet", from).first().atMs - sentAt;
    QVERIFY2(took >= 390 && took < 1500, qPrintable(QString::number(took)));
}

void TestSimulator::stopsCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("brokerReachable");
    QTest::newRow("SIGTERM") << int(SIGTERM) << true;
    QTest::newRow("SIGINT") << int(SIGINT) << true;
    QTest::newRow("SIGTERM while the broker is unreachable") << int(SIGTERM) << false;
}

void TestSimulator::stopsCleanly()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, brokerReachable);
    Simulator sim;
    if (brokerReachable) {
        QVERIFY(sim.start(m_broker, {"--serial", "STOP"}));
        QVERIFY(sim.waitServing(m_probe, "STOP"));
    } else {
        sim.process.start(QStringLiteral(TERMOVIA_SIM_PATH),
                          {"--port", QString::number(freeLoopbackPort()), "--serial", "STOP"});
        QVERIFY(sim.process.waitForStarted(5000));
        QTest::qWait(300);
        QCOMPARE(sim.process.state(), QProcess::Running); // keeps trying
    }
    ::kill(pid_t(sim.process.processId()), signalNumber);
    QVERIFY(sim.process.waitForFinished(3000));
    QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process.exitCode(), 0);
    if (brokerReachable)
        QVERIFY(sim.output().contains("STOP 2;7;30;\n"));
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"
