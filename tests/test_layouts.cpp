#include "panels/LayoutCaptions.h"
#include "panels/LayoutTable.h"
#include "panels/TDeviceNames.h"

#include <QTest>
#include <climits>

// The layouts as the owner's documentation tables list them, one block per
// schematic, every row written out in full (derived layouts included):
//   tile   slot|default caption|default picture|analogue registers
//   out    slot|default caption|analogue register
//   want   template|slot|default name|holding register
//   timer  slot|default name|holding register      (plain: the same)
//   choice first|second|holding register
//   archive four titles (empty: none)
//   modes  entries
//   tabs   digits|slot:name|...
namespace {

const char *const expectedLayouts[][2] = {
    {"1", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР (TB,TBS)|34|3,2
tile 4|КОТЕЛ (TK)|35|4
tile 5|НАДВ. УРЕД (TU4)|37|5
out 1|ПУМПА СОЛАР|16
out 2|ПУМПА КОТЕЛ|17
out 3|E. ГРЕЈАЧ|18
out 4|НАДВ. УРЕД|19
want ПОСАКУВАНА ТЕМП. НА **:|1|Е. ГРЕЈАЧ|8
want ПОСАКУВАНА ТЕМП. НА **:|2|НАДВ. УРЕД|22
timer 1|ГРЕЈАЧ|25
timer 2|НАДВ. УРЕД|26
plain 1|ПУМПА КОТЕЛ|7
plain 2|ЕЛ. ГРЕЈАЧ НА БОЈЛЕР|15
plain 3|НАДВОРЕШЕН УРЕД|21
choice ГРЕЕЊЕ|ЛАДЕЊЕ|32
archive СОЛАР|БОЈЛЕР|КОТЕЛ|
modes АВТОМАТСКИ|ОДМОР
tabs 34|1:ГРЕЈАЧ|2:НАДВ. УРЕД
)"},
    {"2", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР (TB, TBS)|34|3,2
tile 4|КОТЕЛ (TK)|35|4
tile 5|НАДВ. УРЕД (TU4)|37|5
out 1|ПУМПА СОЛАР|16
out 2|ПУМПА КОТЕЛ|17
out 3|Е. ГРЕЈАЧ|18
out 4|НАДВ. УРЕД|19
want ПОСАКУВАНА ТЕМП. НА **:|1|Е. ГРЕЈАЧ|8
want ПОСАКУВАНА ТЕМП. НА **:|2|НАДВ. УРЕД|22
timer 1|ГРЕЈАЧ|25
timer 2|НАДВ. УРЕД|26
plain 1|ПУМПА КОТЕЛ|7
plain 2|ЕЛ. ГРЕЈАЧ НА БОЈЛЕР|15
plain 3|НАДВОРЕШЕН УРЕД|21
choice ГРЕЕЊЕ|ЛАДЕЊЕ|32
archive СОЛАР|БОЈЛЕР|КОТЕЛ|
modes АВТОМАТСКИ|ОДМОР
tabs 3|1:ГРЕЈАЧ
)"},
    {"fallback", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР (TB,TBS)|34|3,2
tile 4|КОТЕЛ (TK)|35|4
tile 5|НАДВ. УРЕД (TU4)|37|5
out 1|ПУМПА СОЛАР|16
out 2|ПУМПА КОТЕЛ|17
out 3|ЕЛЕКТРИЧЕН ГРЕЈАЧ|18
out 4|НАДВ. УРЕД|19
want ПОСАКУВАНА ТЕМП. НА **:|1|БОЈЛЕР|8
want ПОСАКУВАНА ТЕМП. НА **:|2|НАДВ. УРЕД|22
timer 1|ГРЕЈАЧ|25
timer 2|НАДВ. УРЕД|26
plain 1|ПУМПА КОТЕЛ|7
plain 2|ЕЛ. ГРЕЈАЧ НА БОЈЛЕР|15
plain 3|НАДВОРЕШЕН УРЕД|21
choice ГРЕЕЊЕ|ЛАДЕЊЕ|32
archive СОЛАР|БОЈЛЕР|КОТЕЛ|
modes АВТОМАТСКИ|ОДМОР
tabs 34|1:ГРЕЈАЧ|2:НАДВ. УРЕД
)"},
    {"10", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР I (TB1, TB1S)|34|4,2
tile 4|БОЈЛЕР II (TB2, TB2S)|34|5,3
out 1|ВЕНТИЛ I|17
out 2|ВЕНТИЛ II|18
out 3|ГРЕЈАЧ I|19
out 4|ГРЕЈАЧ II|20
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ I|42
want ПОСАКУВАНА ТЕМП. НА **:|2|ГРЕЈАЧ II|46
want ПОСАКУВАНА ТЕМП. НА **:|3|БОЈЛЕР I|40
timer 1|ГРЕЈАЧ I|25
timer 2|ГРЕЈАЧ II|26
plain 1|ВЕНТИЛ 2|39
plain 2|ЕЛ. ГРЕЈАЧ I|44
plain 3|ЕЛ. ГРЕЈАЧ II|48
archive СОЛАР|БОЈЛЕР I|БОЈЛЕР II|
modes А. БЕЗ ПРИОРИТЕТ|А. СО ПРИОРИТЕТ
tabs 34|1:ГРЕЈАЧ I|2:ГРЕЈАЧ II
)"},
    {"11", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР I (TB1, TB1S)|34|4,2
tile 4|БОЈЛЕР II (TB2, TB2S)|34|5,3
out 1|ПУМПА СОЛАР|16
out 2|ВЕНТИЛ I|17
out 3|ВЕНТИЛ II|18
out 4|ГРЕЈАЧ I|19
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ I|42
want ПОСАКУВАНА ТЕМП. НА **:|2|ГРЕЈАЧ II|46
want ПОСАКУВАНА ТЕМП. НА **:|3|БОЈЛЕР I|40
timer 1|ГРЕЈАЧ I|26
plain 1|ЕЛ. ГРЕЈАЧ I|44
archive СОЛАР|БОЈЛЕР I|БОЈЛЕР II|
modes А. БЕЗ ПРИОРИТЕТ|А. СО ПРИОРИТЕТ
tabs 4|1:ГРЕЈАЧ I
)"},
    {"12", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР (TB1, TB1S)|34|4,2
tile 4|БАФЕР (TB2, TB2S)|39|5,3
out 1|ВЕНТИЛ I|17
out 2|ВЕНТИЛ II|18
out 3|ГРЕЈАЧ I|19
out 4|П. РЕЦИРКУЛАЦИЈА|20
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ I|42
want ПОСАКУВАНА ТЕМП. НА БАФЕР:|2|БАФЕР|46
want ПОСАКУВАНА ТЕМП. НА **:|3|БОЈЛЕР|40
timer 1|ГРЕЈАЧ I|25
timer 2|П. РЕЦИРКУЛАЦИЈА|26
plain 1|ВЕНТИЛ II|39
plain 2|ЕЛ. ГРЕЈАЧ I|44
plain 3|П. РЕЦИРКУЛАЦИЈА|48
archive СОЛАР|БОЈЛЕР I|БОЈЛЕР II|
modes А. БЕЗ ПРИОРИТЕТ|А. СО ПРИОРИТЕТ
tabs 34|1:ГРЕЈАЧ I|2:П. РЕЦИРКУЛАЦИЈА
)"},
    {"13", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР I (TB1, TB1S)|34|4,2
tile 4|БОЈЛЕР II (TB2S)|50|3
tile 5|РАЗДЕЛНИК (TR)|52|5
out 1|ВЕНТИЛ I|17
out 2|ВЕНТИЛ II|18
out 3|ГРЕЈАЧ I|19
out 4|ВЕНТИЛ КОТЕЛ|20
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ I|42
want ПОСАКУВАНА ТЕМП. НА **:|2|ВЕНТИЛ КОТЕЛ|46
want ПОСАКУВАНА ТЕМП. НА **:|3|БОЈЛЕР I|40
timer 1|ГРЕЈАЧ I|25
timer 2|В. КОТЕЛ|26
plain 1|ВЕНТИЛ 2|39
plain 2|ЕЛ. ГРЕЈАЧ I|44
plain 3|ВЕНТИЛ КОТЕЛ|48
archive СОЛАР (TS)|БОЈЛЕР I (TB1)|БОЈЛЕР II (TBS2)|РАЗДЕЛНИК (TR)
modes А. БЕЗ ПРИОРИТЕТ|А. СО ПРИОРИТЕТ
tabs 34|1:ГРЕЈАЧ I|2:В. КОТЕЛ
)"},
    {"15", R"(
tile 1|СОЛАР I (TS1)|36|1
tile 2|СОЛАР II (TS2)|36|2
tile 3|БОЈЛЕР (TB,TBS)|34|4,3
tile 5|НАДВ. УРЕД (TU4)|37|5
out 1|ВЕНТИЛ I|17
out 2|ВЕНТИЛ II|18
out 3|ГРЕЈАЧ|19
out 4|НАДВ. УРЕД|21
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ|8
want ПОСАКУВАНА ТЕМП. НА **:|2|НАДВ. УРЕД|22
timer 1|ГРЕЈАЧ|25
timer 2|НАДВ. УРЕД|26
plain 1|ГРЕЈАЧ|15
plain 2|НАДВ. УРЕД|21
choice ГРЕЕЊЕ|ЛАДЕЊЕ|32
archive СОЛАР I|СОЛАР II|БОЈЛЕР|НАДВ. УРЕД
modes АВТОМАТСКИ|ОДМОР
tabs 34|1:ГРЕЈАЧ|2:НАДВ. УРЕД
)"},
    {"16", R"(
tile 1|СОЛАР I (TS1)|36|1
tile 2|СОЛАР II (TS2)|36|2
tile 3|БОЈЛЕР (TB,TBS)|34|4,3
out 1|ПУМПА СОЛАР|16
out 2|ВЕНТИЛ I|17
out 3|ВЕНТИЛ II|18
out 4|ГРЕЈАЧ|18
want ПОСАКУВАНА ТЕМП. НА **:|1|ГРЕЈАЧ|8
timer 1|ГРЕЈАЧ|26
archive СОЛАР I|СОЛАР II|БОЈЛЕР|
modes АВТОМАТСКИ|ОДМОР
tabs 4|1:ГРЕЈАЧ
)"},
    {"18", R"(
tile 1|СОЛАР (TS)|36|1
tile 2|БОЈЛЕР I (TB1S)|50|2
tile 3|БОЈЛЕР II (TB2S)|50|3
tile 4|БОЈЛЕР III (TB3S)|50|4
out 1|СОЛАРНА ПУМПА|16
out 2|ВЕНТИЛ I|17
out 3|ВЕНТИЛ II|18
out 4|ВЕНТИЛ III|19
want ПОСАКУВАНА ТЕМП. НА **:|1|БОЈЛЕР I|40
want ПОСАКУВАНА ТЕМП. НА **:|2|БОЈЛЕР II|54
archive СОЛАР|БОЈЛЕР I|БОЈЛЕР II|БОЈЛЕР III
modes А. БЕЗ ПРИОРИТЕТ|А. СО ПРИОРИТЕТ
tabs 0
)"},
    {"20", R"(
tile 1|БОЈЛЕР I (TB1)|50|1
tile 2|БОЈЛЕР II (TB2)|50|2
tile 3|БОЈЛЕР III (TB3)|50|3
tile 4|БОЈЛЕР IV (TB4)|50|4
out 1|ГРЕЈАЧ I|16
out 2|ГРЕЈАЧ II|17
out 3|ГРЕЈАЧ III|18
out 4|ГРЕЈАЧ IV|19
want ПОСАКУВАНА ТЕМП. НА **:|1|БОЈЛЕР I|57
want ПОСАКУВАНА ТЕМП. НА **:|2|БОЈЛЕР II|60
want ПОСАКУВАНА ТЕМП. НА **:|3|БОЈЛЕР III|63
want ПОСАКУВАНА ТЕМП. НА **:|4|БОЈЛЕР IV|22
timer 1|ГРЕЈАЧ I|23
timer 2|ГРЕЈАЧ II|24
timer 3|ГРЕЈАЧ III|25
timer 4|ГРЕЈАЧ IV|26
plain 1|ГРЕЈАЧ I|56
plain 2|ГРЕЈАЧ II|59
plain 3|ГРЕЈАЧ III|62
plain 4|ГРЕЈАЧ IV|21
choice ГРЕЕЊЕ I|ЛАДЕЊЕ I|65
choice ГРЕЕЊЕ II|ЛАДЕЊЕ II|66
choice ГРЕЕЊЕ III|ЛАДЕЊЕ III|67
choice ГРЕЕЊЕ IV|ЛАДЕЊЕ IV|32
archive БОЈЛЕР I|БОЈЛЕР II|БОЈЛЕР III|БОЈЛЕР IV
modes АВТОМАТСКИ
tabs 1234|1:ГРЕЈАЧ I|2:ГРЕЈАЧ II|3:ГРЕЈАЧ III|4:ГРЕЈАЧ IV
)"},
    {"21", R"(
tile 1|КОТЕЛ I (TK1)|35|1
tile 2|КОТЕЛ II (TK2)|35|2
tile 3|П. РЕЦИРК. (TPR)|51|3
tile 4|БОЈЛЕР (TB)|50|4
out 1|КОТЕЛ I|16
out 2|КОТЕЛ II|17
out 3|П. РЕЦИРК.|18
out 4|ГРЕЈАЧ|19
want ПОСАКУВАНА ТЕМП. НА **:|1|КОТЕЛ I|57
want ПОСАКУВАНА ТЕМП. НА **:|2|КОТЕЛ II|60
want ПОСАКУВАНА ТЕМП. НА **:|3|П. РЕЦИРК.|63
want ПОСАКУВАНА ТЕМП. НА **:|4|БОЈЛЕР|22
timer 1|КОТЕЛ I|23
timer 2|КОТЕЛ II|24
timer 3|П. РЕЦИРК.|25
timer 4|ГРЕЈАЧ|26
plain 1|КОТЕЛ I|56
plain 2|КОТЕЛ II|59
plain 3|П. РЕЦИРК.|62
plain 4|ГРЕЈАЧ|21
choice ГРЕЕЊЕ I|ЛАДЕЊЕ I|65
choice ГРЕЕЊЕ II|ЛАДЕЊЕ II|66
choice ГРЕЕЊЕ III|ЛАДЕЊЕ III|67
choice ГРЕЕЊЕ IV|ЛАДЕЊЕ IV|32
archive КОТЕЛ I|КОТЕЛ II|П. РЕЦИРК.|БОЈЛЕР
modes АВТОМАТСКИ
tabs 1234|1:КОТЕЛ I|2:КОТЕЛ II|3:П. РЕЦИРК.|4:ГРЕЈАЧ
)"},
};

// Captions of a controller that labels every slot: "ts3" for TempSensors[3], and so on.
TDeviceNames labelledNames()
{
    TDeviceNames names;
    for (int n = 1; n <= TDeviceNames::slotCount; ++n) {
        const auto s = std::size_t(n);
        names.TempSensors[s] = QStringLiteral("ts%1").arg(n);
        names.TempImages[s] = 60 + n;
        names.Relays[s] = QStringLiteral("r%1").arg(n);
        names.WantedTemps[s] = QStringLiteral("wt%1").arg(n);
        names.CheckBoxDevices[s] = QStringLiteral("cb%1").arg(n);
        names.TimerCheckboxes[s] = QStringLiteral("tc%1").arg(n);
    }
    for (int n = 1; n <= TDeviceNames::plotCount; ++n)
        names.Plot[std::size_t(n)] = QStringLiteral("p%1").arg(n);
    return names;
}

QStringList rowsOf(const QString &block, const QString &keyword)
{
    QStringList rows;
    for (const QString &line : block.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(keyword + u' '))
            rows.append(line.mid(keyword.size() + 1));
    }
    return rows;
}

QList<int> numbers(const QString &commaList)
{
    QList<int> out;
    for (const QString &n : commaList.split(u','))
        out.append(n.toInt());
    return out;
}

} // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTable_data();
    void layoutMatchesTable();
    void numbersWithoutOwnLayoutUseFallback_data();
    void numbersWithoutOwnLayoutUseFallback();
    void ownLayoutNumbers();
    void pictureChoice_data();
    void pictureChoice();
};

void TestLayouts::layoutMatchesTable_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<QString>("table");
    for (const auto &entry : expectedLayouts) {
        const QString name = QString::fromUtf8(entry[0]);
        QTest::newRow(entry[0]) << (name == u"fallback" ? 0 : name.toInt()) << QString::fromUtf8(entry[1]);
    }
}

void TestLayouts::layoutMatchesTable()
{
    QFETCH(int, schematic);
    QFETCH(QString, table);
    const LayoutTable &layout = layoutFor(schematic);
    const TDeviceNames none = TDeviceNames::empty();
    const TDeviceNames failed = TDeviceNames::failed();
    const TDeviceNames labelled = labelledNames();

    const QStringList tiles = rowsOf(table, QStringLiteral("tile"));
    QCOMPARE(layout.sensorTiles.size(), tiles.size());
    for (int i = 0; i < tiles.size(); ++i) {
        const QStringList f = tiles[i].split(u'|');
        const SensorTileEntry &tile = layout.sensorTiles[i];
        const int slot = f[0].toInt();
        QCOMPARE(tile.slot, slot);
        QCOMPARE(tile.defaultCaption, f[1]);
        QCOMPARE(tile.defaultPicture, f[2].toInt());
        QCOMPARE(tile.analogRegs, numbers(f[3]));
        QCOMPARE(LayoutCaptions::sensorCaption(tile, none), f[1]);
        QCOMPARE(LayoutCaptions::sensorCaption(tile, labelled), QStringLiteral("ts%1").arg(slot));
        QCOMPARE(LayoutCaptions::sensorPicture(tile, none), f[2].toInt());
        QCOMPARE(LayoutCaptions::sensorPicture(tile, failed), f[2].toInt());
        QCOMPARE(LayoutCaptions::sensorPicture(tile, labelled), 60 + slot);
    }

    const QStringList outputs = rowsOf(table, QStringLiteral("out"));
    QCOMPARE(layout.outputRows.size(), outputs.size());
    for (int i = 0; i < outputs.size(); ++i) {
        const QStringList f = outputs[i].split(u'|');
        const OutputRowEntry &row = layout.outputRows[i];
        QCOMPARE(row.slot, f[0].toInt());
        QCOMPARE(row.defaultCaption, f[1]);
        QCOMPARE(row.analogReg, f[2].toInt());
        QCOMPARE(LayoutCaptions::outputCaption(row, none), f[1]);
        QCOMPARE(LayoutCaptions::outputCaption(row, labelled), QStringLiteral("r%1").arg(f[0]));
    }

    const QStringList wanted = rowsOf(table, QStringLiteral("want"));
    QCOMPARE(layout.wantedTemps.size(), wanted.size());
    for (int i = 0; i < wanted.size(); ++i) {
        const QStringList f = wanted[i].split(u'|');
        const WantedTempEntry &field = layout.wantedTemps[i];
        QCOMPARE(field.captionTemplate, f[0]);
        QCOMPARE(field.slot, f[1].toInt());
        QCOMPARE(field.defaultName, f[2]);
        QCOMPARE(field.holdingReg, f[3].toInt());
        QCOMPARE(field.minimum, 10);
        QCOMPARE(field.maximum, 95);
        QString byDefault = f[0];
        QString byLabel = f[0];
        QCOMPARE(LayoutCaptions::wantedTempCaption(field, none), byDefault.replace("**", f[2]));
        QCOMPARE(LayoutCaptions::wantedTempCaption(field, labelled), byLabel.replace("**", "wt" + f[1]));
    }

    // Switches in table order: the timer switches come first in every layout.
    const QStringList timers = rowsOf(table, QStringLiteral("timer"));
    const QStringList plains = rowsOf(table, QStringLiteral("plain"));
    QCOMPARE(layout.switches.size(), timers.size() + plains.size());
    const QString timerPrefix = QStringLiteral("ОВОЗМОЖИ ТАЈМЕРИ НА ");
    for (int i = 0; i < layout.switches.size(); ++i) {
        const bool timer = i < timers.size();
        const QStringList f = (timer ? timers[i] : plains[i - timers.size()]).split(u'|');
        const SwitchEntry &sw = layout.switches[i];
        QCOMPARE(sw.isTimer(), timer);
        QCOMPARE(sw.slot, f[0].toInt());
        QCOMPARE(sw.defaultName, f[1]);
        QCOMPARE(sw.holdingReg, f[2].toInt());
        QCOMPARE(LayoutCaptions::switchCaption(sw, none), timer ? timerPrefix + f[1] : f[1]);
        QCOMPARE(LayoutCaptions::switchCaption(sw, labelled),
                 timer ? timerPrefix + "tc" + f[0] : QStringLiteral("cb") + f[0]);
    }

    const QStringList choices = rowsOf(table, QStringLiteral("choice"));
    QCOMPARE(layout.twoChoices.size(), choices.size());
    for (int i = 0; i < choices.size(); ++i) {
        const QStringList f = choices[i].split(u'|');
        const TwoChoiceEntry &choice = layout.twoChoices[i];
        QCOMPARE(choice.firstText, f[0]);
        QCOMPARE(choice.secondText, f[1]);
        QCOMPARE(choice.holdingReg, f[2].toInt());
        QCOMPARE(choice.firstPicture, 28);
        QCOMPARE(choice.secondPicture, 27);
    }

    const QStringList archive = rowsOf(table, QStringLiteral("archive")).value(0).split(u'|');
    QCOMPARE(archive.size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(layout.archiveTitles[std::size_t(i)], archive[i]);

    QCOMPARE(layout.modeEntries, rowsOf(table, QStringLiteral("modes")).value(0).split(u'|'));

    const QStringList tabs = rowsOf(table, QStringLiteral("tabs")).value(0).split(u'|');
    QCOMPARE(layout.tabDigits, tabs[0].toInt());
    QStringList defaultNames;
    QStringList labelledTabNames;
    for (int i = 1; i < tabs.size(); ++i) {
        const QString slot = tabs[i].section(u':', 0, 0);
        defaultNames.append(tabs[i].section(u':', 1));
        labelledTabNames.append("tc" + slot);
    }
    QCOMPARE(LayoutCaptions::scheduleTabNames(layout, none), defaultNames);
    QCOMPARE(LayoutCaptions::scheduleTabNames(layout, labelled), labelledTabNames);
}

void TestLayouts::numbersWithoutOwnLayoutUseFallback_data()
{
    QTest::addColumn<int>("schematic");
    for (int n : {0, 3, 4, 9, 14, 17, 19, 22, 99, 100, -1, INT_MIN, INT_MAX})
        QTest::addRow("%d", n) << n;
}

void TestLayouts::numbersWithoutOwnLayoutUseFallback()
{
    QFETCH(int, schematic);
    const LayoutTable &layout = layoutFor(schematic);
    QVERIFY(layout.isFallback());
    QCOMPARE(&layout, &layoutFor(0));
    QCOMPARE(layout.outputRows.value(2).defaultCaption, QStringLiteral("ЕЛЕКТРИЧЕН ГРЕЈАЧ"));
}

void TestLayouts::ownLayoutNumbers()
{
    QCOMPARE(layoutNumbers(), (QList<int>{1, 2, 10, 11, 12, 13, 15, 16, 18, 20, 21}));
    for (int n : layoutNumbers())
        QCOMPARE(layoutFor(n).schematic, n);
}

void TestLayouts::pictureChoice_data()
{
    QTest::addColumn<int>("sqlImage");
    QTest::addColumn<int>("expected");
    QTest::newRow("NULL or 0: default") << 0 << 34;
    QTest::newRow("failed load -1: default") << -1 << 34;
    QTest::newRow("negative: default") << INT_MIN << 34;
    QTest::newRow("1 is a picture") << 1 << 1;
    QTest::newRow("7 is used unchanged") << 7 << 7;
    QTest::newRow("beyond every list is passed on") << 100000 << 100000;
}

void TestLayouts::pictureChoice()
{
    QFETCH(int, sqlImage);
    QFETCH(int, expected);
    QCOMPARE(LayoutCaptions::picture(sqlImage, 34), expected);
}

QTEST_GUILESS_MAIN(TestLayouts)
#include "test_layouts.moc"
