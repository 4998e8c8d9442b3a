#include "panels/PanelRefresh.h"

#include "app/SharedState.h"
#include "panels/PanelBuilder.h"
#include "panels/SensorTileFlow.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QWidget>

PanelRefresh::PanelRefresh(SharedState &state, PanelBuilder &builder, std::function<bool()> databaseConnected,
                           QObject *parent)
    : QObject(parent), m_state(state), m_builder(builder), m_databaseConnected(std::move(databaseConnected))
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PanelRefresh::TimerSchematicTimer);
    if (QWidget *area = m_builder.view().FlowLayoutSensors)
        area->installEventFilter(this);
}

void PanelRefresh::start()
{
    m_timer.start();
}

void PanelRefresh::TimerSchematicTimer()
{
    if (!m_databaseConnected || !m_databaseConnected())
        return;
    rebuildIfNeeded();
    if (m_state.HoldingRegsUpdated)
        refreshHoldingRegisters();
    if (m_state.AnalogRegsUpdated)
        refreshAnalogRegisters();
}

void PanelRefresh::rebuildIfNeeded()
{
    if (m_state.SchematicNumber == m_tag && !m_state.ForceSchematicReload)
        return;
    try {
        m_builder.LoadSchematic(m_state.SchematicNumber);
        m_tag = m_state.SchematicNumber;
        if (panelsRebuilt)
            panelsRebuilt();
        if (installerDeviceChosen && installerDeviceChosen() && installerSchematicChanged)
            installerSchematicChanged(m_state.SchematicNumber);
        m_state.ForceSchematicReload = false;
    } catch (...) {
        // ForceSchematicReload stays as it was: the next tick tries again.
    }
}

void PanelRefresh::refreshHoldingRegisters()
{
    const RegisterCache<100> &regs = m_state.HoldingRegs;
    try {
        if (updateInstallerRows)
            updateInstallerRows(regs);
    } catch (...) {
    }
    showMode(regs[1]);
    try {
        for (const auto &field : m_builder.TempChangeFields) {
            QList<int> values;
            for (int r : field->TargetRegs)
                values.append(regs[r]);
            field->UpdateTempChange(values);
        }
    } catch (...) {
    }
    // While a switch or mode command is pending, the cache still holds the
    // old values: putting them back would undo what the owner just did.
    if (!m_state.CommandPending) {
        try {
            for (const auto &field : m_builder.CheckBoxFields)
                field->UpdateCheckBoxDevice(regs[field->TargetRegs.value(0)] == 1);
        } catch (...) {
        }
        try {
            for (const auto &field : m_builder.RadioButtonFields)
                field->UpdateRadioButtonDevice(regs[field->TargetRegs.value(0)] == 1);
        } catch (...) {
        }
    }
    m_state.HoldingRegsUpdated = false;
}

void PanelRefresh::showMode(int n)
{
    QComboBox *modes = m_builder.view().cmbBoxMode;
    QLabel *label = m_builder.view().lblOMode;
    if (!modes)
        return;
    // 0, an unreadable value (-1), any other negative number and a number
    // beyond the list select nothing, and the overview shows no mode.
    const bool known = n >= 1 && n <= modes->count();
    modes->setCurrentIndex(known ? n - 1 : -1);
    if (label)
        label->setText(known ? modes->itemText(n - 1) : QString());
}

void PanelRefresh::refreshAnalogRegisters()
{
    const RegisterCache<30> &regs = m_state.AnalogRegs;
    try {
        for (const auto &field : m_builder.SensorFields) {
            QList<int> values;
            for (int r : field->TargetRegs)
                values.append(regs[r]);
            field->UpdateSensorVal(values);
        }
    } catch (...) {
    }
    try {
        for (const auto &field : m_builder.EnableDisableFields)
            field->UpdateEnableDisableDevice(regs[field->TargetRegs.value(0)] == 1);
    } catch (...) {
    }
    m_state.AnalogRegsUpdated = false;
}

void PanelRefresh::FlowLayoutSensorsResize()
{
    const PanelView &view = m_builder.view();
    ::FlowLayoutSensorsResize(view.FlowLayoutSensors, view.ListBoxItemSensors);
    if (view.FlowLayoutSensors)
        m_flowWidth = view.FlowLayoutSensors->width();
}

bool PanelRefresh::eventFilter(QObject *watched, QEvent *event)
{
    // Only a change of width re-lays the tiles; the height follows from them.
    if (event->type() == QEvent::Resize && watched == m_builder.view().FlowLayoutSensors &&
        static_cast<QWidget *>(watched)->width() != m_flowWidth)
        FlowLayoutSensorsResize();
    return QObject::eventFilter(watched, event);
}
