#pragma once

#include "panels/PanelView.h"
#include "panels/TDeviceNames.h"
#include "panels/TDynamicField.h"

#include <QStringList>

struct LayoutTable;
class PanelActions;
class SqlConnection;
struct SharedState;

// Fills the overview and settings lists from scratch for a schematic number:
// the controller's captions, the fields of the schematic's layout in their
// places, the mode entries, the archive series titles and the schedule tabs.
class PanelBuilder {
public:
    // `database` may be null (the captions then load as failed: all defaults);
    // `actions` receives what the owner does on the fields.
    PanelBuilder(PanelView view, SharedState &state, SqlConnection *database, PanelActions *actions);
    ~PanelBuilder();
    PanelBuilder(const PanelBuilder &) = delete;
    PanelBuilder &operator=(const PanelBuilder &) = delete;

    // Rebuilds every field for `Schematic`. Never raises: a failure ends the
    // rebuild quietly, keeping the fields made so far.
    void LoadSchematic(int Schematic) noexcept;
    // Destroys every field of the array and leaves it empty.
    static void DynamicFieldsClear(TDynamicFields &DynamicFields);
    // Names, shows and hides the schedule tabs: digits and names are paired
    // from the right; the tab of the leftmost digit ends up active.
    void TimerTabs(int TabNum, const QStringList &Names);

    void setDatabase(SqlConnection *database) { m_database = database; }
    const PanelView &view() const { return m_view; }
    PanelView &view() { return m_view; }

    TDynamicFields SensorFields;
    TDynamicFields TempChangeFields;
    TDynamicFields CheckBoxFields;
    TDynamicFields EnableDisableFields;
    TDynamicFields RadioButtonFields;
    TDeviceNames DeviceNames;

private:
    void buildFields(const LayoutTable &layout);
    void placeRows();

    PanelView m_view;
    SharedState &m_state;
    SqlConnection *m_database;
    PanelActions *m_actions;
};
