#pragma once

#include "link/RegisterCache.h"

#include <QObject>
#include <QTimer>
#include <functional>

class PanelBuilder;
struct SharedState;

// The panel refresh tick: rebuilds the panels when the schematic number
// changed or a rebuild was forced, then copies the newest cached register
// values into the fields, one register family at a time, and lowers the
// families' flags. Also keeps the sensor tiles flowing with the tile area's width.
class PanelRefresh : public QObject {
    Q_OBJECT
public:
    static constexpr int intervalMs = 2000;

    PanelRefresh(SharedState &state, PanelBuilder &builder, std::function<bool()> databaseConnected,
                 QObject *parent = nullptr);

    // Installer mode: whether an installer has a controller chosen; when so,
    // a rebuild hands the new schematic number to installerSchematicChanged
    // (which shows it and reloads the parameter list). An error raised there
    // keeps the rebuild forced for the next tick.
    std::function<bool()> installerDeviceChosen;
    std::function<void(int schematic)> installerSchematicChanged;
    // Installer mode: the parameter rows take their values from the holding registers.
    std::function<void(const RegisterCache<100> &holdingRegs)> updateInstallerRows;

    // Runs after every rebuild of the panels (the window shows the new
    // fields' texts in its language).
    std::function<void()> panelsRebuilt;

    // Starts the 2000 ms timer that runs the tick for the rest of the run.
    void start();
    QTimer &timer() { return m_timer; }

    // One tick. Also called directly right after ForceSchematicReload is raised.
    void TimerSchematicTimer();

    // The schematic number the current panels were built for (0 at start).
    int tag() const { return m_tag; }

    // Re-lays the sensor tiles for the tile area's current width.
    void FlowLayoutSensorsResize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuildIfNeeded();
    void refreshHoldingRegisters();
    void refreshAnalogRegisters();
    void showMode(int n);

    SharedState &m_state;
    PanelBuilder &m_builder;
    std::function<bool()> m_databaseConnected;
    QTimer m_timer;
    int m_tag = 0;
    int m_flowWidth = -1;
};
