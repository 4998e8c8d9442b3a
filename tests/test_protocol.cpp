// The wire format of the controllers: command texts, answer splitting and
// headers, whole-number fields, time texts, and the dispatch of answers into
// the register caches.
#include "app/SharedState.h"
#include "link/AnswerDispatcher.h"
#include "link/AnswerFields.h"
#include "link/ClockText.h"
#include "link/Command.h"
#include "link/MqttClient.h"

#include <QRegularExpression>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

using RowUpdates = QList<QPair<int, int>>; // (row, value) handed to UpdateVal

const QString Serial = QStringLiteral("SER123");

// "53;4;<start>;50;" followed by the given value fields.
QByteArray holdingAnswer(int start, const QStringList &values)
{
    return (QStringLiteral("53;4;%1;50;").arg(start) + values.join(u';') + u';').toUtf8();
}

QStringList numbers(int from, int count, int factor = 1)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::number((from + i) * factor);
    return list;
}

// A dispatcher on its own shared state, recording what it hands out.
struct Dispatch {
    SharedState state;
    AnswerDispatcher dispatcher{state};
    int green = 0;
    int cleared = 0;
    QList<QStringList> clockAnswers;
    QList<QPair<QStringList, QString>> entries;
    QList<int> rowNums; // register number of each installer row
    RowUpdates updates;

    Dispatch()
    {
        state.ActiveUser.ActiveTopic = Serial;
        DispatchHooks &h = dispatcher.hooks();
        h.circleGreen = [this] { ++green; };
        h.clearSchedules = [this] { ++cleared; };
        h.clockAnswer = [this](const QStringList &f) { clockAnswers << f; };
        h.addScheduleEntry = [this](const QStringList &f, const QString &t) { entries << qMakePair(f, t); };
        h.installerRowCount = [this] { return int(rowNums.size()); };
        h.installerRowNum = [this](int k) { return rowNums.value(k, -1); };
        h.installerUpdateVal = [this](int k, int v) { updates << qMakePair(k, v); };
    }

    bool send(const QString &suffix, const QByteArray &payload)
    {
        return dispatcher.MQTTPublishReceived(Serial + suffix, payload);
    }

    // Marks every slot so that untouched slots can be told apart.
    void fillCaches(int holding, int analog)
    {
        for (int r = 1; r <= 100; ++r)
            state.HoldingRegs.set(r, holding);
        for (int r = 1; r <= 30; ++r)
            state.AnalogRegs.set(r, analog);
    }
};

using RowUpdates = RowUpdates; // (row, value) handed to UpdateVal

} // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void commandTexts_data();
    void commandTexts();
    void setClockPayload_data();
    void setClockPayload();
    void splitting_data();
    void splitting();
    void fullAnswerHas55Fields();
    void strictIntegers_data();
    void strictIntegers();
    void readMQTTFunction_data();
    void readMQTTFunction();
    void fillZeroes_data();
    void fillZeroes();
    void getTime_data();
    void getTime();
    void pcLabels();
    void clockAnswerLabels_data();
    void clockAnswerLabels();
    void clientIdentifier();

    void holdingLowStoresSlotsAndSchematic();
    void cacheValueOfField_data();
    void cacheValueOfField();
    void holdingLowWithBadSchematicStoresNothing();
    void holdingHighLeavesLowSlots();
    void shortAnswersStopWhereTheyEnd();
    void analogAnswer();
    void clockAnswerTouchesNoCache();
    void ignoredMessages_data();
    void ignoredMessages();
    void installerRows_data();
    void installerRows();
    void installerRowWithBadFieldShowsMinusOne();
    void scheduleAnswers_data();
    void scheduleAnswers();
};

void TestProtocol::commandTexts_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("expected");
    QTest::newRow("write one") << Command::WriteHREG(32, 1) << "3;6;32;1;";
    QTest::newRow("write negative") << Command::WriteHREG(5, -3) << "3;6;5;-3;";
    QTest::newRow("write lowest int") << Command::WriteHREG(1, INT_MIN) << "3;6;1;-2147483648;";
    QTest::newRow("write batch") << Command::WriteBatchHREG(10, {7, 8}) << "5;3;10;2;7;8;";
    QTest::newRow("write empty batch") << Command::WriteBatchHREG(12, {}) << "3;3;12;0;";
    QTest::newRow("read one holding") << Command::ReadHREG(7) << "2;7;7;";
    QTest::newRow("read one analogue") << Command::ReadAREG(5) << "3;14;5;1;";
    QTest::newRow("holding 1-50") << Command::ReadBatchHREG(1, 50) << "3;4;1;50;";
    QTest::newRow("holding 51-100") << Command::ReadBatchHREG(51, 50) << "3;4;51;50;";
    QTest::newRow("analogue 1-30") << Command::ReadBatchAREG(1, 30) << "3;14;1;30;";
    QTest::newRow("clock registers") << Command::ReadBatchAREG(30, 7) << "3;14;30;7;";
    QTest::newRow("list schedules") << Command::ListSchedules() << "1;9;";
    QTest::newRow("delete all") << Command::DeleteAllSchedules() << "1;11;";
    QTest::newRow("delete one") << Command::DeleteSchedule(QStringLiteral("4")) << "2;12;4;";
    QTest::newRow("add on entry") << Command::AddSchedule(64 + 1, QStringLiteral("7"), QStringLiteral("05"),
                                                          2, true, 45)
                                  << "9;8;65;7;05;00;2;1;0;45;";
    QTest::newRow("add off entry") << Command::AddSchedule(127, QStringLiteral("23"), QStringLiteral("59"), 4,
                                                           false, 20)
                                   << "9;8;127;23;59;00;4;0;0;20;";
}

void TestProtocol::commandTexts()
{
    QFETCH(QString, payload);
    QFETCH(QString, expected);
    QCOMPARE(payload, expected);
}

void TestProtocol::setClockPayload_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("expected");
    QTest::newRow("wednesday afternoon")
        << QDateTime(QDate(2025, 3, 5), QTime(14, 7, 9)) << "8;13;25;03;05;3;14;07;09;";
    QTest::newRow("sunday morning") << QDateTime(QDate(2025, 11, 2), QTime(9, 5, 3))
                                    << "8;13;25;11;02;7;09;05;03;";
    QTest::newRow("turn of the century")
        << QDateTime(QDate(2000, 1, 3), QTime(0, 0, 0)) << "8;13;00;01;03;1;00;00;00;";
    QTest::newRow("last second of a year")
        << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59)) << "8;13;99;12;31;4;23;59;59;";
}

void TestProtocol::setClockPayload()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, expected);
    QCOMPARE(Command::SetClock(when), expected);
}

void TestProtocol::splitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("trailing delimiter adds an empty field")
        << "53;4;1;50;12;" << QStringList{"53", "4", "1", "50", "12", ""};
    QTest::newRow("blanks after delimiters")
        << "53; 4; 1; 50; 12;" << QStringList{"53", "4", "1", "50", "12", ""};
    QTest::newRow("blanks and tabs around fields") << " \t53 ;\t4 ;" << QStringList{"53", "4", ""};
    QTest::newRow("blank inside separates") << "1 2;3" << QStringList{"1", "2", "3"};
    QTest::newRow("control character separates") << QStringLiteral("1\x01;2") << QStringList{"1", "2"};
    QTest::newRow("empty middle field") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow("blank after last delimiter") << "a;b; " << QStringList{"a", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("only blanks") << "  \r\n" << QStringList{};
    QTest::newRow("lone delimiter") << ";" << QStringList{"", ""};
    QTest::newRow("quoted field keeps delimiter") << "\"x;y\";2;" << QStringList{"x;y", "2", ""};
    QTest::newRow("quoted field keeps blanks") << "\"a b\";c" << QStringList{"a b", "c"};
    QTest::newRow("doubled quote") << "\"a\"\"b\";" << QStringList{"a\"b", ""};
    QTest::newRow("unclosed quote runs to the end") << "1;\"open;3" << QStringList{"1", "open;3"};
    QTest::newRow("NUL ends the text") << QString::fromUtf8("1;2\0;3;", 7) << QStringList{"1", "2"};
    QTest::newRow("cyrillic field") << QStringLiteral("Среда;1") << QStringList{QStringLiteral("Среда"), "1"};
}

void TestProtocol::splitting()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(splitFields(text), fields);
}

void TestProtocol::fullAnswerHas55Fields()
{
    const QStringList fields = splitFields(QString::fromUtf8(holdingAnswer(1, numbers(1, 50))));
    QCOMPARE(fields.size(), 55);
    QCOMPARE(fields[53], QStringLiteral("50"));
    QVERIFY(fields[54].isEmpty());
}

void TestProtocol::strictIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("value");
    QTest::newRow("zero") << "0" << std::optional<int>(0);
    QTest::newRow("negative") << "-3" << std::optional<int>(-3);
    QTest::newRow("plus sign") << "+7" << std::optional<int>(7);
    QTest::newRow("leading zeros") << "007" << std::optional<int>(7);
    QTest::newRow("minus zero") << "-0" << std::optional<int>(0);
    QTest::newRow("highest") << "2147483647" << std::optional<int>(INT_MAX);
    QTest::newRow("lowest") << "-2147483648" << std::optional<int>(INT_MIN);
    QTest::newRow("one above highest") << "2147483648" << std::optional<int>();
    QTest::newRow("one below lowest") << "-2147483649" << std::optional<int>();
    QTest::newRow("2^32 + 1 does not wrap to 1") << "4294967297" << std::optional<int>();
    QTest::newRow("far beyond 64 bits") << "99999999999999999999999" << std::optional<int>();
    QTest::newRow("empty") << "" << std::optional<int>();
    QTest::newRow("sign only") << "-" << std::optional<int>();
    QTest::newRow("two signs") << "--1" << std::optional<int>();
    QTest::newRow("letter") << "x" << std::optional<int>();
    QTest::newRow("digits then letter") << "1a" << std::optional<int>();
    QTest::newRow("leading blank") << " 1" << std::optional<int>();
    QTest::newRow("trailing blank") << "1 " << std::optional<int>();
    QTest::newRow("hexadecimal") << "0x10" << std::optional<int>();
    QTest::newRow("dollar hexadecimal") << "$10" << std::optional<int>();
    QTest::newRow("decimal point") << "1.5" << std::optional<int>();
    QTest::newRow("arabic-indic digit") << QStringLiteral("\u0661") << std::optional<int>();
}

void TestProtocol::strictIntegers()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, value);
    QCOMPARE(readStrictInt(text), value);
}

void TestProtocol::readMQTTFunction_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("num");
    QTest::addColumn<std::optional<QString>>("header");
    const QString answer = QStringLiteral("53;4;1;50;12;");
    QTest::newRow("four fields") << answer << 4 << std::optional<QString>(QStringLiteral("53;4;1;50;"));
    QTest::newRow("zero") << answer << 0 << std::optional<QString>(QString());
    QTest::newRow("negative") << answer << -2 << std::optional<QString>(QString());
    QTest::newRow("all six with the empty last")
        << answer << 6 << std::optional<QString>(QStringLiteral("53;4;1;50;12;;"));
    QTest::newRow("one more than there are") << answer << 7 << std::optional<QString>();
    QTest::newRow("two-field answer, four asked") << QStringLiteral("53;4") << 4 << std::optional<QString>();
}

void TestProtocol::readMQTTFunction()
{
    QFETCH(QString, answer);
    QFETCH(int, num);
    QFETCH(std::optional<QString>, header);
    QCOMPARE(ReadMQTTFunction(splitFields(answer), num), header);
}

void TestProtocol::fillZeroes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one digit") << "7" << 2 << "07";
    QTest::newRow("longer is not cut") << "2025" << 2 << "2025";
    QTest::newRow("empty") << "" << 2 << "00";
    QTest::newRow("exact length") << "12" << 2 << "12";
    QTest::newRow("zero length") << "5" << 0 << "5";
    QTest::newRow("wider") << "3" << 4 << "0003";
}

void TestProtocol::fillZeroes()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(QString, expected);
    QCOMPARE(NumStringFillZeroes(text, length), expected);
}

void TestProtocol::getTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("pm with seconds") << "2:30:15 PM" << QStringList{"14", "30", "15", "PM"};
    QTest::newRow("midnight hour") << "12:10 AM" << QStringList{"0", "10", "AM"};
    QTest::newRow("24-hour text") << "14:30" << QStringList{"14", "30", "00"};
    QTest::newRow("noon stays 12") << "12:45 PM" << QStringList{"12", "45", "PM"};
    QTest::newRow("lower-case pm") << "9:05 pm" << QStringList{"21", "05", "pm"};
    QTest::newRow("morning am stays") << "9:05:00 AM" << QStringList{"9", "05", "00", "AM"};
    QTest::newRow("hour only") << "7" << QStringList{"7", "00", "00"};
    QTest::newRow("24-hour with seconds") << "23:59:58" << QStringList{"23", "59", "58"};
}

void TestProtocol::getTime()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QCOMPARE(GetTime(text), parts);
}

void TestProtocol::pcLabels()
{
    const ClockLabels wed = pcClockLabels(QDateTime(QDate(2025, 3, 5), QTime(14, 7, 9)));
    QCOMPARE(wed.time, QStringLiteral("14:07"));
    QCOMPARE(wed.date, QStringLiteral("05/03/2025"));
    QCOMPARE(wed.day, QStringLiteral("Среда"));
    const ClockLabels sun = pcClockLabels(QDateTime(QDate(2025, 11, 2), QTime(9, 5, 3)));
    QCOMPARE(sun.time, QStringLiteral("09:05"));
    QCOMPARE(sun.day, QStringLiteral("Недела"));
    const QStringList names{QStringLiteral("Понеделник"), QStringLiteral("Вторник"), QStringLiteral("Среда"),
                            QStringLiteral("Четврток"),   QStringLiteral("Петок"),   QStringLiteral("Сабота"),
                            QStringLiteral("Недела")};
    for (int d = 1; d <= 7; ++d)
        QCOMPARE(weekdayName(d), names[d - 1]);
    QVERIFY(weekdayName(0).isEmpty());
    QVERIFY(weekdayName(8).isEmpty());
}

void TestProtocol::clockAnswerLabels_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("complete");
    QTest::newRow("full answer") << "10;14;30;7;25;3;5;3;9;7;0;"
                                 << "05/03/25"
                                 << "Среда"
                                 << "09:07" << true;
    QTest::newRow("weekday out of range keeps the day") << "10;14;30;7;25;3;5;9;21;30;0;"
                                                        << "05/03/25"
                                                        << "old day"
                                                        << "21:30" << true;
    QTest::newRow("weekday not a number stops there") << "10;14;30;7;25;12;31;x;21;30;0;"
                                                      << "31/12/25"
                                                      << "old day"
                                                      << "old time" << false;
    QTest::newRow("too short for the date") << "10;14;30;7;25;3"
                                            << "old date"
                                            << "old day"
                                            << "old time" << false;
    QTest::newRow("date only") << "10;14;30;7;25;3;5"
                               << "05/03/25"
                               << "old day"
                               << "old time" << false;
    QTest::newRow("empty weekday field stops there") << "10;14;30;7;25;3;5;"
                                                     << "05/03/25"
                                                     << "old day"
                                                     << "old time" << false;
    QTest::newRow("no minute field") << "10;14;30;7;25;3;5;1;8"
                                     << "05/03/25"
                                     << "Понеделник"
                                     << "old time" << false;
    QTest::newRow("texts kept as sent") << "10;14;30;7;2025;x;5;7;9;7;0;"
                                        << "05/0x/2025"
                                        << "Недела"
                                        << "09:07" << true;
}

void TestProtocol::clockAnswerLabels()
{
    QFETCH(QString, answer);
    QFETCH(QString, date);
    QFETCH(QString, day);
    QFETCH(QString, time);
    QFETCH(bool, complete);
    ClockLabels labels{QStringLiteral("old date"), QStringLiteral("old day"), QStringLiteral("old time")};
    QCOMPARE(applyClockAnswer(splitFields(answer), labels), complete);
    QCOMPARE(labels.date, date);
    QCOMPARE(labels.day, day);
    QCOMPARE(labels.time, time);
}

void TestProtocol::clientIdentifier()
{
    static const QRegularExpression shape(
        QStringLiteral("^243-([0-2][0-9]):([0-5][0-9]):([0-5][0-9])([0-9]{1,4})$"));
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i) {
        const QString id = makeClientId();
        QVERIFY2(shape.match(id).hasMatch(), qPrintable(id));
        QVERIFY(id.size() <= 23); // the longest identifier every MQTT 3.1.1 broker must accept
        seen.insert(id);
    }
    QVERIFY2(seen.size() > 40, "identifiers made in the same second must differ by their number");
}

void TestProtocol::holdingLowStoresSlotsAndSchematic()
{
    Dispatch d;
    d.fillCaches(999, 888);
    d.state.SchematicNumber = 3;
    QStringList values = numbers(1, 50, 10); // register r holds r * 10
    values[29] = QStringLiteral("7");        // register 30, field 33: the schematic
    QVERIFY(d.send(QStringLiteral("/Ret"), holdingAnswer(1, values)));
    QCOMPARE(d.state.SchematicNumber, 7);
    for (int r = 1; r <= 50; ++r)
        QCOMPARE(d.state.HoldingRegs[r], r == 30 ? 7 : r * 10);
    QCOMPARE(d.state.HoldingRegs[51], 999);
    QCOMPARE(d.state.AnalogRegs[1], 888);
    QVERIFY(d.state.HoldingRegsUpdated);
    QVERIFY(!d.state.AnalogRegsUpdated);
    QCOMPARE(d.green, 1);
}

void TestProtocol::cacheValueOfField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("slot");
    QTest::newRow("number") << "42" << 42;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("letter") << "A" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("decimal") << "21.5" << -1;
    QTest::newRow("beyond 32 bits") << "4294967296" << -1;
    QTest::newRow("just beyond int") << "2147483648" << -1;
    QTest::newRow("lowest int") << "-2147483648" << INT_MIN;
    QTest::newRow("quoted number") << "\"17\"" << 17;
}

void TestProtocol::cacheValueOfField()
{
    QFETCH(QString, field);
    QFETCH(int, slot);
    for (const int start : {1, 51}) {
        Dispatch d;
        d.fillCaches(999, 888);
        QStringList values = numbers(1, 50);
        values[4] = field; // register start + 4
        d.send(QStringLiteral("/Ret"), holdingAnswer(start, values));
        QCOMPARE(d.state.HoldingRegs[start + 4], slot);
        QCOMPARE(d.state.HoldingRegs[start + 5], 6); // the fields after it are stored as well
    }
    Dispatch d;
    QStringList values = numbers(1, 30);
    values[29] = field;
    d.send(QStringLiteral("/ARet"), QStringLiteral("33;14;1;30;%1;").arg(values.join(u';')).toUtf8());
    QCOMPARE(d.state.AnalogRegs[30], slot);
}

void TestProtocol::holdingLowWithBadSchematicStoresNothing()
{
    // Field 33 must be a whole number; otherwise the rest of the answer is
    // dropped, but the answer still counts as one (circle, flag).
    Dispatch d;
    d.fillCaches(999, 888);
    d.state.SchematicNumber = 3;
    QStringList values = numbers(1, 50);
    values[29] = QStringLiteral("x");
    QVERIFY(d.send(QStringLiteral("/Ret"), holdingAnswer(1, values)));
    QCOMPARE(d.state.SchematicNumber, 3);
    QCOMPARE(d.state.HoldingRegs[1], 999);
    QVERIFY(d.state.HoldingRegsUpdated);
    QCOMPARE(d.green, 1);
}

void TestProtocol::holdingHighLeavesLowSlots()
{
    Dispatch d;
    d.fillCaches(999, 888);
    d.state.SchematicNumber = 3;
    QVERIFY(d.send(QStringLiteral("/Ret"), holdingAnswer(51, numbers(51, 50, 2))));
    for (int r = 1; r <= 50; ++r)
        QCOMPARE(d.state.HoldingRegs[r], 999);
    for (int r = 51; r <= 100; ++r)
        QCOMPARE(d.state.HoldingRegs[r], r * 2);
    QCOMPARE(d.state.SchematicNumber, 3); // field 33 of this answer is register 80, not the schematic
    QVERIFY(d.state.HoldingRegsUpdated);
    QCOMPARE(d.green, 1);
}

void TestProtocol::shortAnswersStopWhereTheyEnd()
{
    // A low answer without field 33 stores nothing.
    Dispatch low;
    low.fillCaches(999, 888);
    QVERIFY(low.send(QStringLiteral("/Ret"), holdingAnswer(1, numbers(1, 3))));
    QCOMPARE(low.state.HoldingRegs[1], 999);
    QVERIFY(low.state.HoldingRegsUpdated);

    // A high answer keeps what came before its end.
    Dispatch high;
    high.fillCaches(999, 888);
    QVERIFY(high.send(QStringLiteral("/Ret"), QByteArray("53;4;51;50;1;2;3")));
    QCOMPARE(high.state.HoldingRegs[51], 1);
    QCOMPARE(high.state.HoldingRegs[53], 3);
    QCOMPARE(high.state.HoldingRegs[54], 999);
    QVERIFY(high.state.HoldingRegsUpdated);

    // An analogue answer likewise; its trailing ";" makes slot 4 an empty field.
    Dispatch analog;
    analog.fillCaches(999, 888);
    QVERIFY(analog.send(QStringLiteral("/ARet"), QByteArray("33;14;1;30;5;6;7;")));
    QCOMPARE(analog.state.AnalogRegs[3], 7);
    QCOMPARE(analog.state.AnalogRegs[4], -1);
    QCOMPARE(analog.state.AnalogRegs[5], 888);
    QVERIFY(analog.state.AnalogRegsUpdated);
}

void TestProtocol::analogAnswer()
{
    Dispatch d;
    d.fillCaches(999, 888);
    QVERIFY(d.send(QStringLiteral("/ARet"),
                   QStringLiteral("33;14;1;30;%1;").arg(numbers(1, 30, 3).join(u';')).toUtf8()));
    for (int r = 1; r <= 30; ++r)
        QCOMPARE(d.state.AnalogRegs[r], r * 3);
    QCOMPARE(d.state.HoldingRegs[1], 999);
    QVERIFY(d.state.AnalogRegsUpdated);
    QVERIFY(!d.state.HoldingRegsUpdated);
    QCOMPARE(d.green, 1);
}

void TestProtocol::clockAnswerTouchesNoCache()
{
    Dispatch d;
    d.fillCaches(999, 888);
    QVERIFY(d.send(QStringLiteral("/ARet"), QByteArray("10;14;30;7;25;3;5;3;9;7;0;")));
    QCOMPARE(d.clockAnswers.size(), 1);
    QCOMPARE(d.clockAnswers[0].value(4), QStringLiteral("25"));
    QCOMPARE(d.state.AnalogRegs[30], 888);
    QVERIFY(!d.state.AnalogRegsUpdated);
    QVERIFY(!d.state.HoldingRegsUpdated);
    QCOMPARE(d.green, 1);
}

void TestProtocol::ignoredMessages_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QByteArray>("payload");
    const QByteArray full = holdingAnswer(1, numbers(1, 50));
    QTest::newRow("archive topic") << Serial + "/T" << full;
    QTest::newRow("another controller") << "OTHER/Ret" << full;
    QTest::newRow("longer serial") << Serial + "9/Ret" << full;
    QTest::newRow("deeper topic") << Serial + "/Ret/x" << full;
    QTest::newRow("wrong case") << Serial + "/ret" << full;
    QTest::newRow("out topic") << Serial + "/Out" << full;
    QTest::newRow("two fields") << Serial + "/Ret" << QByteArray("53;4");
    QTest::newRow("three fields") << Serial + "/Ret" << QByteArray("53;4;1");
    QTest::newRow("batch from 2") << Serial + "/Ret" << holdingAnswer(2, numbers(1, 50));
    QTest::newRow("49 registers") << Serial + "/Ret" << QByteArray("53;4;1;49;") + full.mid(10);
    QTest::newRow("analogue header on Ret") << Serial + "/Ret" << QByteArray("33;14;1;30;1;2;");
    QTest::newRow("holding header on ARet") << Serial + "/ARet" << full;
    QTest::newRow("empty payload") << Serial + "/Ret" << QByteArray();
}

void TestProtocol::ignoredMessages()
{
    QFETCH(QString, topic);
    QFETCH(QByteArray, payload);
    Dispatch d;
    d.fillCaches(999, 888);
    d.state.SchematicNumber = 3;
    const bool green = d.dispatcher.MQTTPublishReceived(topic, payload);
    for (int r = 1; r <= 100; ++r)
        QCOMPARE(d.state.HoldingRegs[r], 999);
    for (int r = 1; r <= 30; ++r)
        QCOMPARE(d.state.AnalogRegs[r], 888);
    QCOMPARE(d.state.SchematicNumber, 3);
    QVERIFY(!d.state.HoldingRegsUpdated);
    QVERIFY(!d.state.AnalogRegsUpdated);
    QVERIFY(d.clockAnswers.isEmpty());
    QVERIFY(d.updates.isEmpty());
    // Only an "/ARet" answer with another header still counts as an answer.
    QCOMPARE(green, topic.endsWith(QLatin1String("/ARet")));
    QCOMPARE(d.green, green ? 1 : 0);
}

void TestProtocol::installerRows_data()
{
    QTest::addColumn<QList<int>>("rowNums");
    QTest::addColumn<RowUpdates>("updates");
    // Rows 0..59 for registers 41..100: rows 50..59 (registers 91..100) refresh.
    QList<int> sixty;
    for (int k = 0; k < 60; ++k)
        sixty << 41 + k;
    RowUpdates sixtyUpdates;
    for (int k = 50; k < 60; ++k)
        sixtyUpdates << qMakePair(k, (41 + k) * 10);
    QTest::newRow("60 rows") << sixty << sixtyUpdates;

    QList<int> forty;
    for (int k = 0; k < 40; ++k)
        forty << 51 + k;
    QTest::newRow("40 rows") << forty << RowUpdates{};

    // A row whose register lies outside 51..100 is left alone.
    QList<int> mixed = sixty;
    mixed[52] = 20;
    mixed[53] = 101;
    RowUpdates mixedUpdates = sixtyUpdates;
    mixedUpdates.removeAt(3);
    mixedUpdates.removeAt(2);
    QTest::newRow("rows outside 51-100") << mixed << mixedUpdates;

    // Never past the 100th row.
    QList<int> long150;
    for (int k = 0; k < 150; ++k)
        long150 << 51 + (k % 50);
    RowUpdates longUpdates;
    for (int k = 50; k <= 99; ++k)
        longUpdates << qMakePair(k, (51 + (k % 50)) * 10);
    QTest::newRow("150 rows") << long150 << longUpdates;
}

void TestProtocol::installerRows()
{
    QFETCH(QList<int>, rowNums);
    QFETCH(RowUpdates, updates);
    Dispatch d;
    d.rowNums = rowNums;
    d.send(QStringLiteral("/Ret"), holdingAnswer(51, numbers(51, 50, 10)));
    QCOMPARE(d.updates, updates);
    // The low answer never refreshes rows itself.
    d.updates.clear();
    d.send(QStringLiteral("/Ret"), holdingAnswer(1, numbers(1, 50, 10)));
    QVERIFY(d.updates.isEmpty());
}

void TestProtocol::installerRowWithBadFieldShowsMinusOne()
{
    Dispatch d;
    for (int k = 0; k < 60; ++k)
        d.rowNums << 41 + k;
    QStringList values = numbers(51, 50, 10);
    values[92 - 51] = QStringLiteral("x"); // register 92, row 51
    d.send(QStringLiteral("/Ret"), holdingAnswer(51, values));
    QCOMPARE(d.updates.size(), 10);
    QCOMPARE(d.updates[1], qMakePair(51, -1));
    QCOMPARE(d.updates[2], qMakePair(52, 930));
    // The answer goes on: the cache holds the rest.
    QCOMPARE(d.state.HoldingRegs[92], -1);
    QCOMPARE(d.state.HoldingRegs[100], 1000);
}

void TestProtocol::scheduleAnswers_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("cleared");
    QTest::addColumn<int>("entries");
    QTest::newRow("no entries") << QByteArray("3;9;1;0;") << 1 << 0;
    QTest::newRow("one entry") << QByteArray("11;9;1;3;2;7;5;0;1;1;0;45;") << 0 << 1;
    QTest::newRow("entry header only, too short") << QByteArray("11;9;") << 0 << 0;
    QTest::newRow("other list answer") << QByteArray("3;9;1;1;") << 0 << 0;
    QTest::newRow("garbage") << QByteArray("x") << 0 << 0;
}

void TestProtocol::scheduleAnswers()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, cleared);
    QFETCH(int, entries);
    Dispatch d;
    QVERIFY(d.send(QStringLiteral("/S"), payload));
    QCOMPARE(d.cleared, cleared);
    QCOMPARE(d.entries.size(), entries);
    if (entries) {
        QCOMPARE(d.entries[0].first.value(11), QStringLiteral("45"));
        QCOMPARE(d.entries[0].second, QString::fromUtf8(payload));
    }
    QCOMPARE(d.green, 1);
    QVERIFY(!d.state.HoldingRegsUpdated);
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "test_protocol.moc"
