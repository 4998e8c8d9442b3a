#pragma once

#include "tools/controller-sim/ControllerClock.h"
#include "tools/controller-sim/ScheduleTable.h"
#include "tools/controller-sim/ThermalPlant.h"
#include "tools/controller-sim/WireAnswer.h"
#include "tools/controller-sim/WireCommand.h"

#include <QList>
#include <memory>

// One emulated controller: 100 holding registers, 30 analogue registers (plus the clock at 30 to 36),
// the weekly schedule list and a heat model of the installation its schematic describes.
class ControllerModel {
public:
    static constexpr int HoldingRegisterCount = 100;
    static constexpr int AnalogRegisterCount = 30;
    static constexpr int ClockFirstRegister = 30;
    static constexpr int ClockLastRegister = 36;
    static constexpr int ModeRegister = 1;
    static constexpr int SchematicRegister = 30;

    ControllerModel(int schematic, quint32 seed);

    // Carries out a command and returns the answers it calls for (none for writes).
    QList<WireAnswer> handle(const WireCommand &command);
    // Advances the heat model by the given time.
    void step(double seconds);

    int holding(int reg) const;
    int analog(int reg) const; // 0 outside the registers the controller has
    int schematic() const { return m_holding[SchematicRegister]; }

private:
    void writeHolding(int reg, int value);
    bool rebuildPlantIfSchematicChanged();
    QList<WireAnswer> listSchedules() const;

    QList<int> m_holding;
    QList<int> m_analog;
    ControllerClock m_clock;
    ScheduleTable m_schedules;
    std::unique_ptr<ThermalPlant> m_plant;
    int m_plantSchematic = 0;
    quint32 m_seed;
};
