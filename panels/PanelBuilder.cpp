#include "panels/PanelBuilder.h"

#include "app/SharedState.h"
#include "panels/DeviceNamesLoader.h"
#include "panels/LayoutCaptions.h"
#include "panels/LayoutTable.h"
#include "panels/SchematicPicture.h"
#include "panels/SensorTileFlow.h"
#include "ui/ListBox.h"
#include "ui/PictureList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

PanelBuilder::PanelBuilder(PanelView view, SharedState &state, SqlConnection *database, PanelActions *actions)
    : m_view(std::move(view)), m_state(state), m_database(database), m_actions(actions)
{
}

PanelBuilder::~PanelBuilder()
{
    for (TDynamicFields *fields :
         {&SensorFields, &EnableDisableFields, &TempChangeFields, &CheckBoxFields, &RadioButtonFields})
        DynamicFieldsClear(*fields);
}

void PanelBuilder::DynamicFieldsClear(TDynamicFields &DynamicFields)
{
    for (auto &field : DynamicFields) {
        if (field)
            field->Free();
    }
    DynamicFields.clear();
}

void PanelBuilder::LoadSchematic(int Schematic) noexcept
{
    // The result does not matter: a failed load leaves every caption at its default.
    GetNamesFromSQL(m_database, m_state.ActiveUser.ActiveTopic, DeviceNames);
    try {
        m_view.cmbBoxMode->clear();
        for (TDynamicFields *fields :
             {&SensorFields, &EnableDisableFields, &TempChangeFields, &CheckBoxFields, &RadioButtonFields})
            DynamicFieldsClear(*fields);
        showSchematicPicture(m_view.GlyphSchematic, m_state.SchematicNumber);
        m_view.ListBoxItemSControl->setVisible(false);
        const LayoutTable &layout = layoutFor(Schematic);
        buildFields(layout);
        placeRows();
        FlowLayoutSensorsResize(m_view.FlowLayoutSensors, m_view.ListBoxItemSensors);
    } catch (...) {
        // A rebuild that fails halfway keeps what it made; the next one starts afresh.
    }
}

void PanelBuilder::buildFields(const LayoutTable &layout)
{
    const PictureList &pictures = PictureList::buttons();
    const TDeviceNames &names = DeviceNames;

    SensorFields.reserve(std::size_t(layout.sensorTiles.size()));
    EnableDisableFields.reserve(std::size_t(layout.outputRows.size()));
    TempChangeFields.reserve(std::size_t(layout.wantedTemps.size()));
    CheckBoxFields.reserve(std::size_t(layout.switches.size()));
    RadioButtonFields.reserve(std::size_t(layout.twoChoices.size()));

    for (const SensorTileEntry &tile : layout.sensorTiles) {
        SensorFields.push_back(TDynamicField::CreateSensorDevice(
            tile.defaultPicture, names.imageAt(tile.slot), TDeviceNames::at(names.TempSensors, tile.slot),
            tile.defaultCaption, m_view.FlowLayoutSensors, pictures, tile.analogRegs));
    }
    for (const OutputRowEntry &row : layout.outputRows) {
        EnableDisableFields.push_back(TDynamicField::CreateEnableDisableDevice(
            TDeviceNames::at(names.Relays, row.slot), row.defaultCaption, m_view.listBoxOverview, pictures,
            {row.analogReg}));
    }
    for (const WantedTempEntry &field : layout.wantedTemps) {
        TempChangeFields.push_back(TDynamicField::CreateTempChange(
            field.captionTemplate, TDeviceNames::at(names.WantedTemps, field.slot), field.defaultName,
            m_view.listBoxOverview, m_view.listBoxSettings, {field.holdingReg}, field.minimum, field.maximum,
            m_actions));
    }
    for (const SwitchEntry &sw : layout.switches) {
        CheckBoxFields.push_back(TDynamicField::CreateCheckBoxDevice(
            LayoutCaptions::switchTemplate(sw), LayoutCaptions::switchSqlText(sw, names), sw.defaultName,
            m_view.listBoxSettings, {sw.holdingReg}, sw.isTimer(), m_actions));
    }
    for (const TwoChoiceEntry &choice : layout.twoChoices) {
        RadioButtonFields.push_back(TDynamicField::CreateRadioButtonDevice(
            choice.firstText, choice.secondText, m_view.listBoxSettings, pictures, choice.firstPicture,
            choice.secondPicture, {choice.holdingReg}, m_actions));
    }

    if (m_view.FillArchivePlot) {
        std::array<QString, 4> plots;
        for (int n = 1; n <= TDeviceNames::plotCount; ++n)
            plots[std::size_t(n - 1)] = TDeviceNames::at(names.Plot, n);
        m_view.FillArchivePlot(layout.archiveTitles, plots);
    }

    m_view.cmbBoxMode->addItems(layout.modeEntries);
    m_view.cmbBoxMode->setCurrentIndex(-1); // no mode is shown until the controller tells it

    TimerTabs(layout.tabDigits, LayoutCaptions::scheduleTabNames(layout, names));
}

void PanelBuilder::placeRows()
{
    ListBox *overview = m_view.listBoxOverview;
    ListBox *settings = m_view.listBoxSettings;
    auto rowOf = [](const std::unique_ptr<TDynamicField> &field, int item) {
        return field->Items.value(item).data();
    };

    // Wanted temperatures right under the overview's temperature header,
    // then the tile area after the last of them.
    for (std::size_t i = 0; i < TempChangeFields.size(); ++i) {
        overview->moveItem(rowOf(TempChangeFields[i], TDynamicField::OverviewRow),
                           overview->indexOf(m_view.ListBoxItemOTemp) + 1 + int(i));
    }
    if (!TempChangeFields.empty()) {
        const int anchor = overview->indexOf(rowOf(TempChangeFields.back(), TDynamicField::OverviewRow));
        const int current = overview->indexOf(m_view.ListBoxItemSensors);
        if (anchor >= 0)
            overview->moveItem(m_view.ListBoxItemSensors, current < anchor ? anchor : anchor + 1);
    }
    for (std::size_t i = 0; i < EnableDisableFields.size(); ++i) {
        overview->moveItem(rowOf(EnableDisableFields[i], TDynamicField::StateRow),
                           overview->indexOf(m_view.ListBoxItemOState) + 1 + int(i));
    }

    for (std::size_t i = 0; i < TempChangeFields.size(); ++i) {
        settings->moveItem(rowOf(TempChangeFields[i], TDynamicField::SettingsRow),
                           settings->indexOf(m_view.ListBoxItemSTemp) + 1 + int(i));
    }
    int timers = 0;
    int plains = 0;
    for (const auto &field : CheckBoxFields) {
        QWidget *row = rowOf(field, TDynamicField::CheckRow);
        if (field->RunOnTimer) {
            settings->moveItem(row, settings->indexOf(m_view.ListBoxItemSModeBox) + 1 + timers++);
        } else {
            m_view.ListBoxItemSControl->setVisible(true);
            settings->moveItem(row, settings->indexOf(m_view.ListBoxItemSControl) + 1 + plains++);
        }
    }
    // Two-choice fields stay where they were appended: at the end of the settings list.
}

void PanelBuilder::TimerTabs(int TabNum, const QStringList &Names)
{
    m_view.SpeedButtonOverviewSchedule->setEnabled(TabNum > 0);
    QTabWidget *tabs = m_view.TabControlExit;
    // Worked out first and applied once: every change of a tab makes the tab
    // bar lay itself out again.
    std::array<bool, 5> shown{};
    std::array<QString, 5> texts;
    int active = -1;
    qsizetype i = Names.size() - 1;
    while (TabNum > 0) {
        const int d = TabNum % 10;
        if (tabs->indexOf(m_view.scheduleTab(d)) < 0 || i < 0)
            break; // a digit without a tab, or no name left for it
        shown[std::size_t(d)] = true;
        texts[std::size_t(d)] = Names[i];
        active = d;
        --i;
        TabNum /= 10;
    }
    for (int d = 1; d <= 4; ++d) {
        const int index = tabs->indexOf(m_view.scheduleTab(d));
        if (index < 0)
            continue;
        if (shown[std::size_t(d)] && tabs->tabText(index) != texts[std::size_t(d)])
            tabs->setTabText(index, texts[std::size_t(d)]);
        if (tabs->isTabVisible(index) != shown[std::size_t(d)])
            tabs->setTabVisible(index, shown[std::size_t(d)]);
    }
    if (active > 0)
        tabs->setCurrentIndex(tabs->indexOf(m_view.scheduleTab(active)));
}
