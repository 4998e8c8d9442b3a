#include "accounts/SqlConnection.h"
#include "accounts/TDatabaseCredentials.h"
#include "app/SharedState.h"
#include "link/PublishError.h"
#include "panels/DeviceNamesLoader.h"
#include "panels/LayoutTable.h"
#include "panels/NumberBox.h"
#include "panels/PanelActions.h"
#include "panels/PanelBuilder.h"
#include "panels/PanelRefresh.h"
#include "panels/PanelView.h"
#include "panels/PictureBox.h"
#include "panels/SchematicPicture.h"
#include "panels/SensorTileFlow.h"
#include "panels/TDynamicField.h"
#include "support/TestDatabase.h"
#include "ui/ListBox.h"
#include "ui/PictureList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <climits>
#include <functional>
#include <memory>

namespace {

// Records what the fields ask of the window; can refuse every publish as a
// missing broker connection does.
class RecordingActions : public PanelActions {
public:
    QStringList calls;
    bool refusePublish = false;
    std::function<void()> onShowError; // sees the fields as they are when the error shows

    void WriteHREG(int reg, int value) override
    {
        if (refusePublish)
            throw PublishError(QStringLiteral("Нема врска со брокерот"));
        calls << QStringLiteral("write %1=%2").arg(reg).arg(value);
    }
    void startFeedback(int ms, bool fast) override
    {
        calls << QStringLiteral("feedback %1 %2").arg(ms).arg(fast ? "fast" : "long");
    }
    void setCommandPending(bool pending) override { calls << QStringLiteral("pending %1").arg(pending); }
    void showError(const QString &text) override
    {
        if (onShowError)
            onShowError();
        calls << QStringLiteral("error ") + text;
    }
};

// The fixed widgets of the window with a builder and a refresh over them.
struct Panels {
    QWidget window;
    PanelView view;
    SharedState state;
    RecordingActions actions;
    bool databaseConnected = true;
    std::array<QString, 4> archiveDefaults;
    std::array<QString, 4> archivePlots;
    int archiveCalls = 0;
    std::unique_ptr<PanelBuilder> builder;
    std::unique_ptr<PanelRefresh> refresh;

    explicit Panels(SqlConnection *database = nullptr)
    {
        view = buildPanelView(&window);
        view.FillArchivePlot = [this](std::array<QString, 4> defaults, std::array<QString, 4> plots) {
            archiveDefaults = defaults;
            archivePlots = plots;
            ++archiveCalls;
        };
        builder = std::make_unique<PanelBuilder>(view, state, database, &actions);
        refresh = std::make_unique<PanelRefresh>(state, *builder, [this] { return databaseConnected; });
    }

    // Builds through the refresh tick, as a forced rebuild does.
    void load(int schematic)
    {
        state.SchematicNumber = schematic;
        state.ForceSchematicReload = true;
        refresh->TimerSchematicTimer();
    }

    // One short name per row: fixed rows by object name, field rows by kind
    // and number (W2 = second wanted temperature, T1 = first timer switch).
    QString rowName(QWidget *row) const
    {
        auto find = [row](const TDynamicFields &fields, const QString &prefix, int item,
                          std::function<bool(const TDynamicField &)> pick = {}) -> QString {
            int n = 0;
            for (const auto &f : fields) {
                if (pick && !pick(*f))
                    continue;
                ++n;
                if (f->Items.value(item) == row)
                    return prefix + QString::number(n);
            }
            return {};
        };
        const PanelBuilder &b = *builder;
        for (const QString &name :
             {find(b.TempChangeFields, "W", TDynamicField::OverviewRow),
              find(b.TempChangeFields, "W", TDynamicField::SettingsRow),
              find(b.EnableDisableFields, "O", TDynamicField::StateRow),
              find(b.CheckBoxFields, "T", 0, [](const TDynamicField &f) { return f.RunOnTimer; }),
              find(b.CheckBoxFields, "P", 0, [](const TDynamicField &f) { return !f.RunOnTimer; }),
              find(b.RadioButtonFields, "R", 0)}) {
            if (!name.isEmpty())
                return name;
        }
        return row->objectName().remove(QStringLiteral("ListBoxItem"));
    }

    QString order(ListBox *list) const
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << rowName(list->item(i));
        return names.join(u' ');
    }

    int tileCount() const
    {
        return int(view.FlowLayoutSensors->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size());
    }

    QStringList visibleTabs() const
    {
        QStringList tabs;
        for (int d = 1; d <= 4; ++d) {
            const int index = view.TabControlExit->indexOf(view.scheduleTab(d));
            if (view.TabControlExit->isTabVisible(index))
                tabs << QStringLiteral("%1=%2").arg(d).arg(view.TabControlExit->tabText(index));
        }
        return tabs;
    }

    QString activeTab() const { return view.TabControlExit->currentWidget()->objectName(); }
};

QString labelText(const TDynamicField &field, int item)
{
    const QLabel *label = field.item<QLabel>(item);
    return label ? label->text() : QStringLiteral("<none>");
}

QCheckBox *checkBoxOf(const TDynamicField &field)
{
    return field.item<QCheckBox>(TDynamicField::CheckBoxItemIndex);
}

int statePicture(const TDynamicField &field)
{
    return field.item<PictureBox>(TDynamicField::StatePicture)->picture();
}

QString namesInsert(const QString &device, const QString &columns, const QString &values)
{
    return QStringLiteral("INSERT INTO Names (DeviceID%1) VALUES ('%2'%3);")
        .arg(columns.isEmpty() ? QString() : ", " + columns, device,
             values.isEmpty() ? QString() : ", " + values);
}

} // namespace

class TestPanels : public QObject {
    Q_OBJECT
private slots:
    void rowOrder_data();
    void rowOrder();
    void rebuildsLeaveExactlyOneSetOfFields();
    void fieldsHoldTheirControlsInOrder();
    void freeDestroysControlsLastFirst();
    void timerTabs_data();
    void timerTabs();

    void modeSelection_data();
    void modeSelection();
    void valuesShownByKind_data();
    void valuesShownByKind();
    void refreshFollowsFlags_data();
    void refreshFollowsFlags();
    void unsentNumberSurvivesSameValue();
    void tickWaitsForDatabase();
    void rebuildOnlyWhenNumberChangesOrForced();
    void installerHookFailureKeepsRebuildForced();

    void tileWidthBands_data();
    void tileWidthBands();
    void picturesOutsideTheListShowNothing();

    void sendWantedTemperature_data();
    void sendWantedTemperature();
    void typedNumbersOutsideTheRangeAreClampedOnSend();
    void switchAndChoiceClicks();
    void failedPublishTakesTheClickBack();
    void twoChoiceFieldsOnDifferentRegistersAreIndependent();

    void namesLoader_data();
    void namesLoader();
    void captionsFromDatabaseReachTheFields();
};

// ---------------------------------------------------------------- building

void TestPanels::rowOrder_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<QString>("overview");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("controlHeader");

    const QString ov2 = "OverviewDevName 31 OTemp W1 W2 Sensors OState O1 O2 O3 O4";
    const QString ov3 = "OverviewDevName 31 OTemp W1 W2 W3 Sensors OState O1 O2 O3 O4";
    const QString ov4 = "OverviewDevName 31 OTemp W1 W2 W3 W4 Sensors OState O1 O2 O3 O4";
    const QString st1 = "STemp W1 W2 SMode SModeBox T1 T2 SControl P1 P2 P3 SOtherDev R1";
    QTest::newRow("1") << 1 << ov2 << st1 << true;
    QTest::newRow("2") << 2 << ov2 << st1 << true;
    QTest::newRow("fallback 0") << 0 << ov2 << st1 << true;
    QTest::newRow("fallback -1") << -1 << ov2 << st1 << true;
    QTest::newRow("10") << 10 << ov3 << "STemp W1 W2 W3 SMode SModeBox T1 T2 SControl P1 P2 P3 SOtherDev"
                        << true;
    QTest::newRow("11") << 11 << ov3 << "STemp W1 W2 W3 SMode SModeBox T1 SControl P1 SOtherDev" << true;
    QTest::newRow("12") << 12 << ov3 << "STemp W1 W2 W3 SMode SModeBox T1 T2 SControl P1 P2 P3 SOtherDev"
                        << true;
    QTest::newRow("13") << 13 << ov3 << "STemp W1 W2 W3 SMode SModeBox T1 T2 SControl P1 P2 P3 SOtherDev"
                        << true;
    QTest::newRow("15") << 15 << ov2 << "STemp W1 W2 SMode SModeBox T1 T2 SControl P1 P2 SOtherDev R1"
                        << true;
    QTest::newRow("16") << 16 << "OverviewDevName 31 OTemp W1 Sensors OState O1 O2 O3 O4"
                        << "STemp W1 SMode SModeBox T1 SControl SOtherDev" << false;
    QTest::newRow("18") << 18 << ov2 << "STemp W1 W2 SMode SModeBox SControl SOtherDev" << false;
    const QString st20 =
        "STemp W1 W2 W3 W4 SMode SModeBox T1 T2 T3 T4 SControl P1 P2 P3 P4 SOtherDev R1 R2 R3 R4";
    QTest::newRow("20") << 20 << ov4 << st20 << true;
    QTest::newRow("21") << 21 << ov4 << st20 << true;
}

void TestPanels::rowOrder()
{
    QFETCH(int, schematic);
    QFETCH(QString, overview);
    QFETCH(QString, settings);
    QFETCH(bool, controlHeader);
    Panels p;
    // Built after another layout, so leftovers or stale positions would show.
    p.load(20);
    p.load(18);
    p.load(schematic);
    QCOMPARE(p.order(p.view.listBoxOverview), overview);
    QCOMPARE(p.order(p.view.listBoxSettings), settings);
    QCOMPARE(!p.view.ListBoxItemSControl->isHidden(), controlHeader);
}

void TestPanels::rebuildsLeaveExactlyOneSetOfFields()
{
    Panels p;
    p.load(1);
    const int widgetsFor1 = int(p.window.findChildren<QWidget *>().size());
    QList<int> sequence;
    for (int round = 0; round < 4; ++round) {
        for (int n : {1, 2, 10, 11, 12, 13, 15, 16, 18, 20, 21, 0, 3, -7})
            sequence << n << n; // every layout twice in a row as well
    }
    for (int n : sequence) {
        p.load(n);
        const LayoutTable &layout = layoutFor(n);
        QCOMPARE(p.tileCount(), layout.sensorTiles.size());
        QCOMPARE(p.view.listBoxOverview->count(), 5 + layout.wantedTemps.size() + layout.outputRows.size());
        QCOMPARE(p.view.listBoxSettings->count(),
                 5 + layout.wantedTemps.size() + layout.switches.size() + layout.twoChoices.size());
        QCOMPARE(int(p.builder->SensorFields.size()), layout.sensorTiles.size());
        QCOMPARE(int(p.builder->TempChangeFields.size()), layout.wantedTemps.size());
        QCOMPARE(int(p.builder->CheckBoxFields.size()), layout.switches.size());
        QCOMPARE(int(p.builder->EnableDisableFields.size()), layout.outputRows.size());
        QCOMPARE(int(p.builder->RadioButtonFields.size()), layout.twoChoices.size());
        QCOMPARE(p.view.cmbBoxMode->count(), layout.modeEntries.size());
        QCOMPARE(p.view.cmbBoxMode->currentIndex(), -1);
    }
    p.load(1);
    QCOMPARE(int(p.window.findChildren<QWidget *>().size()), widgetsFor1);
}

void TestPanels::fieldsHoldTheirControlsInOrder()
{
    Panels p;
    p.load(12);
    const PanelBuilder &b = *p.builder;
    // Tiles: 34 and 39 carry two value labels and two registers.
    QCOMPARE(b.SensorFields[0]->Items.size(), 4);
    QCOMPARE(b.SensorFields[0]->TargetRegs, QList<int>{1});
    QCOMPARE(b.SensorFields[1]->Items.size(), 5);
    QCOMPARE(b.SensorFields[1]->TargetRegs, (QList<int>{4, 2}));
    QCOMPARE(b.SensorFields[2]->DevTip, 39);
    QCOMPARE(b.SensorFields[2]->Items.size(), 5);
    QCOMPARE(b.SensorFields[2]->Items[0]->parentWidget(), p.view.FlowLayoutSensors);
    QCOMPARE(b.SensorFields[2]->Items[0]->height(), 150);
    for (const auto &f : b.SensorFields)
        QCOMPARE(f->ComponentType, 0);

    const TDynamicField &wanted = *b.TempChangeFields[1];
    QCOMPARE(wanted.ComponentType, 1);
    QCOMPARE(wanted.Items.size(), 11);
    QCOMPARE(wanted.TargetRegs, QList<int>{46});
    QCOMPARE(labelText(wanted, TDynamicField::OverviewCaption), QStringLiteral("ПОСАКУВАНА ТЕМП. НА БАФЕР:"));
    QCOMPARE(labelText(wanted, TDynamicField::SettingsCaption), QStringLiteral("ПОСАКУВАНА ТЕМП. НА БАФЕР:"));
    QCOMPARE(labelText(wanted, TDynamicField::OverviewValue), QString());
    QCOMPARE(labelText(wanted, TDynamicField::ControllerValue), QStringLiteral(" "));
    QCOMPARE(wanted.Items[TDynamicField::OverviewRow]->height(), 50);
    QCOMPARE(wanted.Items[TDynamicField::SettingsRow]->height(), 100);
    QCOMPARE(wanted.item<QPushButton>(TDynamicField::SendButton)->text(), QStringLiteral("Внеси"));
    QCOMPARE(wanted.item<NumberBox>(TDynamicField::NumberBoxItem)->minimum(), 10);
    QCOMPARE(wanted.item<NumberBox>(TDynamicField::NumberBoxItem)->maximum(), 95);

    const TDynamicField &timer = *b.CheckBoxFields[0];
    QCOMPARE(timer.ComponentType, 2);
    QVERIFY(timer.RunOnTimer);
    QVERIFY(!b.CheckBoxFields[2]->RunOnTimer);
    QCOMPARE(timer.Items.size(), 4);
    QCOMPARE(labelText(timer, TDynamicField::CheckCaption), QStringLiteral("ОВОЗМОЖИ ТАЈМЕРИ НА ГРЕЈАЧ I"));
    QCOMPARE(labelText(*b.CheckBoxFields[2], TDynamicField::CheckCaption), QStringLiteral("ВЕНТИЛ II"));
    QVERIFY(!checkBoxOf(timer)->isChecked());

    const TDynamicField &output = *b.EnableDisableFields[3];
    QCOMPARE(output.ComponentType, 3);
    QCOMPARE(output.Items.size(), 4);
    QCOMPARE(labelText(output, TDynamicField::StateCaption), QStringLiteral("П. РЕЦИРКУЛАЦИЈА"));
    QCOMPARE(statePicture(output), 14);

    p.load(15);
    const TDynamicField &choice = *p.builder->RadioButtonFields[0];
    QCOMPARE(choice.ComponentType, 4);
    QCOMPARE(choice.Items.size(), 6);
    QCOMPARE(choice.item<QRadioButton>(TDynamicField::FirstChoice)->text(), QStringLiteral("ГРЕЕЊЕ"));
    QCOMPARE(choice.item<QRadioButton>(TDynamicField::SecondChoice)->text(), QStringLiteral("ЛАДЕЊЕ"));
    QCOMPARE(choice.item<PictureBox>(TDynamicField::FirstPicture)->picture(), 28);
    QCOMPARE(choice.item<PictureBox>(TDynamicField::SecondPicture)->picture(), 27);
    QCOMPARE(choice.selectedChoice(), std::nullopt);
}

void TestPanels::freeDestroysControlsLastFirst()
{
    Panels p;
    p.load(1);
    TDynamicField &field = *p.builder->TempChangeFields[0];
    QList<int> destroyedOrder;
    for (int i = 0; i < field.Items.size(); ++i)
        connect(field.Items[i], &QObject::destroyed, this, [&destroyedOrder, i] { destroyedOrder << i; });
    const int overviewRows = p.view.listBoxOverview->count();
    const int settingsRows = p.view.listBoxSettings->count();
    field.Free();
    QCOMPARE(destroyedOrder, (QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    QVERIFY(field.Items.isEmpty());
    QVERIFY(field.TargetRegs.isEmpty());
    QCOMPARE(p.view.listBoxOverview->count(), overviewRows - 1);
    QCOMPARE(p.view.listBoxSettings->count(), settingsRows - 1);
    field.UpdateTempChange({50}); // a freed field ignores updates and clicks
    field.SpeedButtonClick();
    QVERIFY(p.actions.calls.isEmpty());
}

void TestPanels::timerTabs_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QString>("active");
    QTest::addColumn<bool>("scheduleButton");
    QTest::newRow("1234, four names") << 1234 << QStringList{"a", "b", "c", "d"}
                                      << QStringList{"1=a", "2=b", "3=c", "4=d"} << "tabSched1" << true;
    QTest::newRow("34 pairs from the right")
        << 34 << QStringList{"a", "b"} << QStringList{"3=a", "4=b"} << "tabSched3" << true;
    QTest::newRow("4, one name") << 4 << QStringList{"x"} << QStringList{"4=x"} << "tabSched4" << true;
    QTest::newRow("names run out") << 34 << QStringList{"b"} << QStringList{"4=b"} << "tabSched4" << true;
    QTest::newRow("digit without a tab stops")
        << 54 << QStringList{"a", "b"} << QStringList{"4=b"} << "tabSched4" << true;
    QTest::newRow("0 hides all") << 0 << QStringList{} << QStringList{} << QString() << false;
    QTest::newRow("negative hides all") << -3 << QStringList{"a"} << QStringList{} << QString() << false;
}

void TestPanels::timerTabs()
{
    QFETCH(int, digits);
    QFETCH(QStringList, names);
    QFETCH(QStringList, visible);
    QFETCH(QString, active);
    QFETCH(bool, scheduleButton);
    Panels p;
    p.builder->TimerTabs(1234, {"1", "2", "3", "4"}); // start from every tab shown
    p.builder->TimerTabs(digits, names);
    QCOMPARE(p.visibleTabs(), visible);
    if (!active.isEmpty())
        QCOMPARE(p.activeTab(), active);
    QCOMPARE(p.view.SpeedButtonOverviewSchedule->isEnabled(), scheduleButton);
}

// ---------------------------------------------------------------- refresh

void TestPanels::modeSelection_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<int>("register1");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("label");
    QTest::newRow("1 automatic") << 1 << 1 << 0 << "АВТОМАТСКИ";
    QTest::newRow("2 holiday") << 1 << 2 << 1 << "ОДМОР";
    QTest::newRow("3 beyond two entries") << 1 << 3 << -1 << "";
    QTest::newRow("0") << 1 << 0 << -1 << "";
    QTest::newRow("-1 unreadable") << 1 << -1 << -1 << "";
    QTest::newRow("other negative") << 10 << -40 << -1 << "";
    QTest::newRow("priority") << 10 << 2 << 1 << "А. СО ПРИОРИТЕТ";
    QTest::newRow("2 beyond a single entry") << 20 << 2 << -1 << "";
    QTest::newRow("huge") << 20 << INT_MAX << -1 << "";
}

void TestPanels::modeSelection()
{
    QFETCH(int, schematic);
    QFETCH(int, register1);
    QFETCH(int, index);
    QFETCH(QString, label);
    Panels p;
    p.state.SchematicNumber = schematic;
    p.refresh->TimerSchematicTimer(); // builds
    // A valid mode first, so a stale selection or label would show.
    p.state.HoldingRegs.set(1, 1);
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QCOMPARE(p.view.cmbBoxMode->currentIndex(), 0);
    p.state.HoldingRegs.set(1, register1);
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QCOMPARE(p.view.cmbBoxMode->currentIndex(), index);
    QCOMPARE(p.view.lblOMode->text(), label);
}

void TestPanels::valuesShownByKind_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("on");
    QTest::newRow("1 is on") << 1 << "1°C" << true;
    QTest::newRow("0") << 0 << "0°C" << false;
    QTest::newRow("-1 unreadable") << -1 << "-1°C" << false;
    QTest::newRow("negative") << -7 << "-7°C" << false;
    QTest::newRow("2 is not on") << 2 << "2°C" << false;
    QTest::newRow("above 95 unscaled") << 120 << "120°C" << false;
}

void TestPanels::valuesShownByKind()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(bool, on);
    Panels p;
    p.load(1);
    for (int r = 1; r <= 30; ++r)
        p.state.AnalogRegs.set(r, value);
    for (int r = 1; r <= 100; ++r)
        p.state.HoldingRegs.set(r, value);
    p.state.AnalogRegsUpdated = p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    const PanelBuilder &b = *p.builder;
    QCOMPARE(labelText(*b.SensorFields[0], TDynamicField::TileUpperValue), text);
    QCOMPARE(labelText(*b.SensorFields[1], TDynamicField::TileLowerValue), text);
    QCOMPARE(labelText(*b.TempChangeFields[0], TDynamicField::OverviewValue), text);
    QCOMPARE(labelText(*b.TempChangeFields[0], TDynamicField::ControllerValue), text);
    QCOMPARE(checkBoxOf(*b.CheckBoxFields[0])->isChecked(), on);
    QCOMPARE(statePicture(*b.EnableDisableFields[0]), on ? 11 : 14);
    QCOMPARE(b.RadioButtonFields[0]->selectedChoice(), std::optional<int>(on ? 1 : 0));
    QVERIFY(p.actions.calls.isEmpty()); // showing values never sends anything
}

void TestPanels::refreshFollowsFlags_data()
{
    QTest::addColumn<bool>("holdingUpdated");
    QTest::addColumn<bool>("analogUpdated");
    QTest::addColumn<bool>("commandPending");
    QTest::addColumn<bool>("expectWanted");
    QTest::addColumn<bool>("expectSwitches");
    QTest::addColumn<bool>("expectTiles");
    QTest::newRow("no flags") << false << false << false << false << false << false;
    QTest::newRow("holding only") << true << false << false << true << true << false;
    QTest::newRow("analogue only") << false << true << false << false << false << true;
    QTest::newRow("both") << true << true << false << true << true << true;
    QTest::newRow("holding while a command is pending") << true << false << true << true << false << false;
    QTest::newRow("both while pending") << true << true << true << true << false << true;
}

void TestPanels::refreshFollowsFlags()
{
    QFETCH(bool, holdingUpdated);
    QFETCH(bool, analogUpdated);
    QFETCH(bool, commandPending);
    QFETCH(bool, expectWanted);
    QFETCH(bool, expectSwitches);
    QFETCH(bool, expectTiles);
    Panels p;
    p.state.SchematicNumber = 1;
    p.refresh->TimerSchematicTimer();
    p.state.HoldingRegs.set(1, 2);  // mode
    p.state.HoldingRegs.set(8, 55); // wanted temperature 1
    p.state.HoldingRegs.set(25, 1); // timer switch 1
    p.state.HoldingRegs.set(32, 1); // heating
    p.state.AnalogRegs.set(1, 63);  // solar tile
    p.state.AnalogRegs.set(16, 1);  // solar pump
    p.state.HoldingRegsUpdated = holdingUpdated;
    p.state.AnalogRegsUpdated = analogUpdated;
    p.state.CommandPending = commandPending;
    p.refresh->TimerSchematicTimer();

    const PanelBuilder &b = *p.builder;
    QCOMPARE(labelText(*b.TempChangeFields[0], TDynamicField::OverviewValue) == "55°C", expectWanted);
    QCOMPARE(p.view.lblOMode->text() == "ОДМОР", expectWanted);
    QCOMPARE(checkBoxOf(*b.CheckBoxFields[0])->isChecked(), expectSwitches);
    QCOMPARE(b.RadioButtonFields[0]->selectedChoice().has_value(), expectSwitches);
    QCOMPARE(labelText(*b.SensorFields[0], TDynamicField::TileUpperValue) == "63°C", expectTiles);
    QCOMPARE(statePicture(*b.EnableDisableFields[0]) == 11, expectTiles);
    // Flags are lowered once used, also when the switches had to wait.
    QVERIFY(!p.state.HoldingRegsUpdated);
    QVERIFY(!p.state.AnalogRegsUpdated);
    QCOMPARE(p.state.CommandPending, commandPending);
}

void TestPanels::unsentNumberSurvivesSameValue()
{
    Panels p;
    p.load(1);
    TDynamicField &field = *p.builder->TempChangeFields[0];
    auto *box = field.item<NumberBox>(TDynamicField::NumberBoxItem);
    auto answer = [&p](int value) {
        p.state.HoldingRegs.set(8, value);
        p.state.HoldingRegsUpdated = true;
        p.refresh->TimerSchematicTimer();
    };
    answer(55);
    QCOMPARE(box->editText(), QStringLiteral("55"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "60");
    QCOMPARE(box->editText(), QStringLiteral("60"));
    answer(55);
    answer(55);
    QCOMPARE(box->editText(), QStringLiteral("60"));
    QCOMPARE(labelText(field, TDynamicField::OverviewValue), QStringLiteral("55°C"));
    answer(56);
    QCOMPARE(box->editText(), QStringLiteral("56"));
    QCOMPARE(labelText(field, TDynamicField::ControllerValue), QStringLiteral("56°C"));
}

void TestPanels::tickWaitsForDatabase()
{
    Panels p;
    p.databaseConnected = false;
    p.state.SchematicNumber = 10;
    p.state.ForceSchematicReload = true;
    p.state.HoldingRegsUpdated = p.state.AnalogRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QCOMPARE(p.refresh->tag(), 0);
    QVERIFY(p.builder->SensorFields.empty());
    QVERIFY(p.state.ForceSchematicReload && p.state.HoldingRegsUpdated && p.state.AnalogRegsUpdated);
    p.databaseConnected = true;
    p.refresh->TimerSchematicTimer();
    QCOMPARE(p.refresh->tag(), 10);
    QCOMPARE(int(p.builder->SensorFields.size()), 3);
    QVERIFY(!p.state.ForceSchematicReload && !p.state.HoldingRegsUpdated && !p.state.AnalogRegsUpdated);
}

void TestPanels::rebuildOnlyWhenNumberChangesOrForced()
{
    Panels p;
    QList<int> installerCalls;
    bool installerChosen = false;
    p.refresh->installerDeviceChosen = [&] { return installerChosen; };
    p.refresh->installerSchematicChanged = [&](int n) { installerCalls << n; };

    p.state.SchematicNumber = 1;
    p.refresh->TimerSchematicTimer();
    const TDynamicField *first = p.builder->SensorFields.front().get();
    p.state.SchematicNumber = 10; // register 30 changed
    p.refresh->TimerSchematicTimer();
    const TDynamicField *second = p.builder->SensorFields.front().get();
    QVERIFY(second != first);
    QCOMPARE(p.builder->SensorFields.size(), std::size_t(3));
    for (int tick = 0; tick < 3; ++tick) {
        p.refresh->TimerSchematicTimer();
        QCOMPARE(p.builder->SensorFields.front().get(), second);
    }
    QVERIFY(installerCalls.isEmpty());

    installerChosen = true;
    p.state.ForceSchematicReload = true; // e.g. the same owner logged in again
    p.refresh->TimerSchematicTimer();
    QVERIFY(p.builder->SensorFields.front().get() != second);
    QVERIFY(!p.state.ForceSchematicReload);
    QCOMPARE(installerCalls, QList<int>{10});
}

void TestPanels::installerHookFailureKeepsRebuildForced()
{
    Panels p;
    p.refresh->installerDeviceChosen = [] { return true; };
    int attempts = 0;
    p.refresh->installerSchematicChanged = [&](int) {
        if (++attempts == 1)
            throw std::runtime_error("parameter list failed");
    };
    p.state.SchematicNumber = 11;
    p.state.ForceSchematicReload = true;
    p.state.HoldingRegs.set(1, 1);
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QVERIFY(p.state.ForceSchematicReload);
    QCOMPARE(p.view.lblOMode->text(), QStringLiteral("А. БЕЗ ПРИОРИТЕТ")); // the tick went on
    p.refresh->TimerSchematicTimer();
    QCOMPARE(attempts, 2);
    QVERIFY(!p.state.ForceSchematicReload);
}

void TestPanels::tileWidthBands_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<int>("areaWidth");
    QTest::addColumn<int>("tileWidth");
    QTest::addColumn<int>("rows");
    QTest::newRow("299: one per row") << 1 << 299 << 291 << 4;
    QTest::newRow("300: two per row") << 1 << 300 << 142 << 2;
    QTest::newRow("799: two per row") << 1 << 799 << 391 << 2;
    QTest::newRow("1000, four tiles") << 1 << 1000 << 242 << 1;
    QTest::newRow("800, three tiles") << 10 << 800 << 258 << 1;
    QTest::newRow("5: never negative") << 1 << 5 << 0 << 4;
}

void TestPanels::tileWidthBands()
{
    QFETCH(int, schematic);
    QFETCH(int, areaWidth);
    QFETCH(int, tileWidth);
    QFETCH(int, rows);
    Panels p;
    p.load(schematic);
    p.view.FlowLayoutSensors->resize(areaWidth, 100);
    p.refresh->FlowLayoutSensorsResize();
    QSet<int> tops;
    int previousX = -1;
    int previousTop = -1;
    for (QWidget *tile : p.view.FlowLayoutSensors->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QCOMPARE(tile->width(), tileWidth);
        QCOMPARE(tile->height(), 150);
        QVERIFY(tile->geometry().right() < qMax(areaWidth, tileWidth + 6));
        if (tile->y() == previousTop)
            QVERIFY(tile->x() > previousX); // left to right within a row
        else
            QVERIFY(tile->y() > previousTop); // wraps downwards
        previousX = tile->x();
        previousTop = tile->y();
        tops.insert(tile->y());
    }
    QCOMPARE(int(tops.size()), rows);
    QCOMPARE(p.view.ListBoxItemSensors->height(), previousTop + 150);
    QCOMPARE(sensorTileWidth(1000, 0), 992);
}

void TestPanels::picturesOutsideTheListShowNothing()
{
    QLabel glyph;
    for (int n : {2, 3, 9, 12, 14, 17, 19, 21, 30, 31, 99, -1, INT_MIN, INT_MAX}) {
        showSchematicPicture(&glyph, 1);
        showSchematicPicture(&glyph, n);
        QCOMPARE(glyph.property("schematicPicture").toInt(), -1);
        QVERIFY(glyph.pixmap().isNull());
    }
    for (int n : {0, 1, 10, 11, 15, 16, 18, 20}) {
        showSchematicPicture(&glyph, n);
        QCOMPARE(glyph.property("schematicPicture").toInt(), n);
        QVERIFY(!glyph.pixmap().isNull());
    }
    // Building shows the picture of the current schematic number.
    Panels p;
    p.load(2);
    QCOMPARE(p.view.GlyphSchematic->property("schematicPicture").toInt(), -1);
    p.load(0);
    QCOMPARE(p.view.GlyphSchematic->property("schematicPicture").toInt(), 0);

    // A box with no picture draws nothing at all; one with a picture draws it.
    PictureBox box(PictureList::buttons());
    box.resize(50, 50);
    auto drawsSomething = [&box] {
        QImage image(box.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        box.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) != 0)
                    return true;
            }
        }
        return false;
    };
    for (int n : {-1, INT_MIN, INT_MAX, 100000}) {
        box.setPicture(34);
        QVERIFY(drawsSomething());
        box.setPicture(n);
        QCOMPARE(box.picture(), n);
        QVERIFY(!box.isShowingPicture());
        QVERIFY(!drawsSomething());
    }
}

// ---------------------------------------------------------------- clicks

void TestPanels::sendWantedTemperature_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("calls");
    const QStringList sent42{"write 8=42", "feedback 4000 fast"};
    QTest::newRow("42") << "42" << sent42;
    QTest::newRow("+42") << "+42" << sent42;
    QTest::newRow("above the range") << "120" << QStringList{"write 8=95", "feedback 4000 fast"};
    QTest::newRow("below the range") << "-5" << QStringList{"write 8=10", "feedback 4000 fast"};
    QTest::newRow("limits kept") << "10" << QStringList{"write 8=10", "feedback 4000 fast"};
    QTest::newRow("beyond 64 bits") << "99999999999999999999999"
                                    << QStringList{"write 8=95", "feedback 4000 fast"};
    QTest::newRow("beyond 64 bits negative")
        << "-99999999999999999999999" << QStringList{"write 8=10", "feedback 4000 fast"};
    for (const char *bad : {"", "-", "abc", "4.5", "4,5", "1e2", "0x20", "$20", " 42", "42 ", "٤٢"})
        QTest::newRow(qPrintable(QStringLiteral("not a number: '%1'").arg(bad))) << bad << QStringList{};
}

void TestPanels::sendWantedTemperature()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, calls);
    Panels p;
    p.load(1);
    TDynamicField &field = *p.builder->TempChangeFields[0];
    field.item<NumberBox>(TDynamicField::NumberBoxItem)->setEditText(typed);
    field.item<QPushButton>(TDynamicField::SendButton)->click();
    QCOMPARE(p.actions.calls, calls);
}

void TestPanels::typedNumbersOutsideTheRangeAreClampedOnSend()
{
    Panels p;
    p.load(10);
    TDynamicField &field = *p.builder->TempChangeFields[2]; // register 40
    auto *box = field.item<NumberBox>(TDynamicField::NumberBoxItem);
    for (const char *typed : {"120", "-5", "abc7"}) {
        box->selectAll();
        QTest::keyClicks(box, typed);
        field.item<QPushButton>(TDynamicField::SendButton)->click();
    }
    // The box takes any whole number as typed (letters never get in), and
    // the limits apply when the value is sent.
    QCOMPARE(p.actions.calls.filter("write"), (QStringList{"write 40=95", "write 40=10", "write 40=10"}));
}

void TestPanels::switchAndChoiceClicks()
{
    Panels p;
    p.load(1);
    QCheckBox *box = checkBoxOf(*p.builder->CheckBoxFields[2]); // plain switch on register 7
    box->click();
    QVERIFY(box->isChecked());
    box->click();
    QVERIFY(!box->isChecked());
    TDynamicField &choice = *p.builder->RadioButtonFields[0];
    choice.item<QRadioButton>(TDynamicField::SecondChoice)->click();
    QCOMPARE(choice.selectedChoice(), std::optional<int>(0));
    choice.item<QRadioButton>(TDynamicField::FirstChoice)->click();
    QCOMPARE(choice.selectedChoice(), std::optional<int>(1));
    QCOMPARE(p.actions.calls, (QStringList{"write 7=1", "pending 1", "feedback 4000 long",  //
                                           "write 7=0", "pending 1", "feedback 4000 long",  //
                                           "write 32=0", "pending 1", "feedback 4000 fast", //
                                           "write 32=1", "pending 1", "feedback 4000 fast"}));

    // While the command is pending the refresh leaves the clicked switch alone.
    p.state.CommandPending = true;
    box->click();
    p.state.HoldingRegs.set(7, 0);
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QVERIFY(box->isChecked());
    p.state.CommandPending = false;
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    QVERIFY(!box->isChecked());
}

void TestPanels::failedPublishTakesTheClickBack()
{
    Panels p;
    p.load(1);
    p.actions.refusePublish = true;
    const QString error = QStringLiteral("error Нема врска со брокерот");

    QCheckBox *box = checkBoxOf(*p.builder->CheckBoxFields[0]);
    bool checkedWhenErrorShown = true;
    p.actions.onShowError = [&] { checkedWhenErrorShown = box->isChecked(); };
    box->click();
    QVERIFY(!box->isChecked());
    QVERIFY(!checkedWhenErrorShown);
    QCOMPARE(p.actions.calls, QStringList{error});

    // A two-choice field showing nothing, then one showing the first choice.
    TDynamicField &choice = *p.builder->RadioButtonFields[0];
    std::optional<int> shownWhenErrorShown = 5;
    p.actions.onShowError = [&] { shownWhenErrorShown = choice.selectedChoice(); };
    p.actions.calls.clear();
    choice.item<QRadioButton>(TDynamicField::FirstChoice)->click();
    QCOMPARE(choice.selectedChoice(), std::nullopt);
    QCOMPARE(shownWhenErrorShown, std::nullopt);
    choice.UpdateRadioButtonDevice(true);
    choice.item<QRadioButton>(TDynamicField::SecondChoice)->click();
    QCOMPARE(choice.selectedChoice(), std::optional<int>(1));
    QCOMPARE(shownWhenErrorShown, std::optional<int>(1));
    QCOMPARE(p.actions.calls, (QStringList{error, error}));

    p.actions.onShowError = {};
    p.actions.calls.clear();
    TDynamicField &wanted = *p.builder->TempChangeFields[0];
    wanted.item<NumberBox>(TDynamicField::NumberBoxItem)->setEditText(QStringLiteral("50"));
    wanted.item<QPushButton>(TDynamicField::SendButton)->click();
    QCOMPARE(p.actions.calls, QStringList{error}); // no feedback period for a command never sent
    QCOMPARE(wanted.item<NumberBox>(TDynamicField::NumberBoxItem)->editText(), QStringLiteral("50"));
}

void TestPanels::twoChoiceFieldsOnDifferentRegistersAreIndependent()
{
    Panels p;
    p.load(20);
    p.state.HoldingRegs.set(65, 1);
    p.state.HoldingRegs.set(66, 0);
    p.state.HoldingRegs.set(67, 1);
    p.state.HoldingRegs.set(32, 0);
    p.state.HoldingRegsUpdated = true;
    p.refresh->TimerSchematicTimer();
    const auto &choices = p.builder->RadioButtonFields;
    QCOMPARE(choices[0]->selectedChoice(), std::optional<int>(1));
    QCOMPARE(choices[1]->selectedChoice(), std::optional<int>(0));
    QCOMPARE(choices[2]->selectedChoice(), std::optional<int>(1));
    QCOMPARE(choices[3]->selectedChoice(), std::optional<int>(0));
    choices[0]->item<QRadioButton>(TDynamicField::SecondChoice)->click();
    QCOMPARE(choices[0]->selectedChoice(), std::optional<int>(0));
    QCOMPARE(choices[2]->selectedChoice(), std::optional<int>(1));
    choices[3]->item<QRadioButton>(TDynamicField::FirstChoice)->click();
    QCOMPARE(p.actions.calls.filter("write"), (QStringList{"write 65=0", "write 32=1"}));
}

// ---------------------------------------------------------------- captions from the database

void TestPanels::namesLoader_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("expected"); // "slot field=value" checks, ';' separated

    QTest::newRow("no row") << ""
                            << "SN1" << true << "TempImages[2]=0;Relays[3]=;Plot[4]=";
    QTest::newRow("NULLs") << namesInsert("SN1", "", "") << "SN1" << true
                           << "TempSensors[1]=;TempImages[5]=0;TimerCheckboxes[1]=;Plot[1]=";
    QTest::newRow("only Relay3") << namesInsert("SN1", "Relay3", "'Пумпа'") << "SN1" << true
                                 << "Relays[3]=Пумпа;Relays[2]=;TempImages[1]=0";
    QTest::newRow("TempImg 0") << namesInsert("SN1", "TempImg2", "0") << "SN1" << true << "TempImages[2]=0";
    QTest::newRow("TempImg negative")
        << namesInsert("SN1", "TempImg2", "-4") << "SN1" << true << "TempImages[2]=-4";
    QTest::newRow("TempImg 7") << namesInsert("SN1", "TempImg2", "7") << "SN1" << true << "TempImages[2]=7";
    QTest::newRow("every column")
        << namesInsert(
               "SN1",
               "TempSensor5, TempImg5, Relay5, WantedTemp1, CheckBoxDevice2, TimerCheckBox4, Plot1, Plot4",
               "'t5', 52, 'r5', 'w1', 'c2', 't4', 'p1', 'p4'")
        << "SN1" << true
        << "TempSensors[5]=t5;TempImages[5]=52;Relays[5]=r5;WantedTemps[1]=w1;CheckBoxDevices[2]=c2;"
           "TimerCheckboxes[4]=t4;Plot[1]=p1;Plot[4]=p4";
    QTest::newRow("another controller's row")
        << namesInsert("SN2", "Relay1", "'x'") << "SN1" << true << "Relays[1]=";
    QTest::newRow("serial is a value, not SQL")
        << namesInsert("SN1", "Relay1", "'x'") << "SN1' OR '1'='1" << true << "Relays[1]=";
    QTest::newRow("first of two rows")
        << namesInsert("SN1", "Relay1", "'first'") + namesInsert("SN1", "Relay1", "'second'") << "SN1" << true
        << "Relays[1]=first";
    QTest::newRow("picture not a number") << namesInsert("SN1", "Relay1, TempImg1", "'x', 'abc'") << "SN1"
                                          << false << "Relays[1]=;TempImages[1]=-1;TempImages[5]=-1";
    QTest::newRow("missing Names table") << "DROP TABLE Names;"
                                         << "SN1" << false << "TempImages[1]=-1;TempImages[5]=-1;Plot[1]=";
    QTest::newRow("Names without Plot4")
        << "DROP TABLE Names; CREATE TABLE Names (DeviceID TEXT, TempSensor1 TEXT, TempSensor2 TEXT, "
           "TempSensor3 TEXT, TempSensor4 TEXT, TempSensor5 TEXT, TempImg1 INTEGER, TempImg2 INTEGER, "
           "TempImg3 INTEGER, TempImg4 INTEGER, TempImg5 INTEGER, Relay1 TEXT, Relay2 TEXT, Relay3 TEXT, "
           "Relay4 TEXT, Relay5 TEXT, WantedTemp1 TEXT, WantedTemp2 TEXT, WantedTemp3 TEXT, WantedTemp4 "
           "TEXT, "
           "WantedTemp5 TEXT, CheckBoxDevice1 TEXT, CheckBoxDevice2 TEXT, CheckBoxDevice3 TEXT, "
           "CheckBoxDevice4 TEXT, CheckBoxDevice5 TEXT, TimerCheckBox1 TEXT, TimerCheckBox2 TEXT, "
           "TimerCheckBox3 TEXT, TimerCheckBox4 TEXT, TimerCheckBox5 TEXT, Plot1 TEXT, Plot2 TEXT, Plot3 "
           "TEXT);"
           "INSERT INTO Names (DeviceID, TempSensor1, TempImg2, Plot1) VALUES ('SN1', 'a', 7, 'p');"
        << "SN1" << false << "TempSensors[1]=;TempImages[2]=-1;Plot[1]=";
}

void TestPanels::namesLoader()
{
    QFETCH(QString, setup);
    QFETCH(QString, serial);
    QFETCH(bool, result);
    QFETCH(QString, expected);
    TestDatabase db;
    QVERIFY(db.isValid());
    if (!setup.isEmpty())
        QVERIFY(db.exec(setup));
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(TDatabaseCredentials::fromConfig(db.config())));

    // Left over from an earlier controller: must not survive the load.
    TDeviceNames names;
    for (int n = 1; n <= 5; ++n) {
        names.TempSensors[n] = names.Relays[n] = names.WantedTemps[n] = "old";
        names.CheckBoxDevices[n] = names.TimerCheckboxes[n] = "old";
        names.TempImages[n] = 99;
    }
    for (int n = 1; n <= 4; ++n)
        names.Plot[n] = "old";

    QCOMPARE(GetNamesFromSQL(connection, serial, names), result);
    for (const QString &check : expected.split(u';')) {
        const QString field = check.section(u'[', 0, 0);
        const int slot = check.section(u'[', 1).section(u']', 0, 0).toInt();
        const QString value = check.section(u'=', 1);
        QString actual;
        if (field == "TempImages")
            actual = QString::number(names.TempImages[slot]);
        else if (field == "Plot")
            actual = names.Plot[slot];
        else {
            const std::array<QString, 6> *arrays[] = {&names.TempSensors, &names.Relays, &names.WantedTemps,
                                                      &names.CheckBoxDevices, &names.TimerCheckboxes};
            const char *fieldNames[] = {"TempSensors", "Relays", "WantedTemps", "CheckBoxDevices",
                                        "TimerCheckboxes"};
            for (int i = 0; i < 5; ++i) {
                if (field == fieldNames[i])
                    actual = (*arrays[i])[slot];
            }
        }
        QVERIFY2(actual == value, qPrintable(check + " but got " + actual));
    }
    for (int n = 1; n <= 5; ++n)
        QVERIFY(names.TempSensors[n] != "old" && names.Relays[n] != "old" && names.TempImages[n] != 99);

    TDeviceNames withoutConnection;
    QVERIFY(!GetNamesFromSQL(nullptr, serial, withoutConnection));
    QCOMPARE(withoutConnection.TempImages[3], -1);
}

void TestPanels::captionsFromDatabaseReachTheFields()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QVERIFY(
        db.exec(namesInsert("SN7",
                            "TempSensor2, TempImg2, TempImg4, Relay3, WantedTemp1, TimerCheckBox1, "
                            "CheckBoxDevice3, Plot2",
                            "'Бојлер горе', 7, -2, 'Грејач X', 'Тест', 'Ноќен', 'Надворешна', 'Серија'")));
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(TDatabaseCredentials::fromConfig(db.config())));
    Panels p(&connection);
    p.state.ActiveUser.ActiveTopic = QStringLiteral("SN7");
    p.load(1);
    const PanelBuilder &b = *p.builder;
    QCOMPARE(labelText(*b.SensorFields[1], TDynamicField::TileCaption), QStringLiteral("Бојлер горе"));
    QCOMPARE(b.SensorFields[1]->item<PictureBox>(TDynamicField::TilePicture)->picture(), 7);
    QCOMPARE(b.SensorFields[1]->DevTip, 34); // still two values: the layout decides
    QCOMPARE(b.SensorFields[1]->Items.size(), 5);
    QCOMPARE(b.SensorFields[2]->item<PictureBox>(TDynamicField::TilePicture)->picture(), 35);
    QCOMPARE(labelText(*b.SensorFields[0], TDynamicField::TileCaption), QStringLiteral("СОЛАР (TS)"));
    QCOMPARE(labelText(*b.EnableDisableFields[2], TDynamicField::StateCaption), QStringLiteral("Грејач X"));
    QCOMPARE(labelText(*b.EnableDisableFields[1], TDynamicField::StateCaption),
             QStringLiteral("ПУМПА КОТЕЛ"));
    QCOMPARE(labelText(*b.TempChangeFields[0], TDynamicField::OverviewCaption),
             QStringLiteral("ПОСАКУВАНА ТЕМП. НА Тест:"));
    QCOMPARE(labelText(*b.CheckBoxFields[0], TDynamicField::CheckCaption),
             QStringLiteral("ОВОЗМОЖИ ТАЈМЕРИ НА Ноќен"));
    QCOMPARE(labelText(*b.CheckBoxFields[4], TDynamicField::CheckCaption), QStringLiteral("Надворешна"));
    QCOMPARE(p.visibleTabs(), (QStringList{"3=Ноќен", "4=НАДВ. УРЕД"}));
    QCOMPARE(p.activeTab(), QStringLiteral("tabSched3"));
    QCOMPARE(p.archiveCalls, 1);
    QCOMPARE(p.archiveDefaults, (std::array<QString, 4>{"СОЛАР", "БОЈЛЕР", "КОТЕЛ", ""}));
    QCOMPARE(p.archivePlots, (std::array<QString, 4>{"", "Серија", "", ""}));

    // The database gone: every caption falls back to its default on the next rebuild.
    QVERIFY(db.exec("DROP TABLE Names;"));
    p.load(1);
    QCOMPARE(labelText(*p.builder->SensorFields[1], TDynamicField::TileCaption),
             QStringLiteral("БОЈЛЕР (TB,TBS)"));
    QCOMPARE(p.builder->SensorFields[1]->item<PictureBox>(TDynamicField::TilePicture)->picture(), 34);
    QCOMPARE(p.visibleTabs(), (QStringList{"3=ГРЕЈАЧ", "4=НАДВ. УРЕД"}));
}

QTEST_MAIN(TestPanels)
#include "test_panels.moc"
