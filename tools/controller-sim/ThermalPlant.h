#pragma once

#include "tools/controller-sim/PlantLayout.h"
#include "tools/controller-sim/ScheduleTable.h"

#include <QDateTime>
#include <QList>
#include <QRandomGenerator>

// A coarse heat model of one installation: sun on the collectors by the controller's time of day, tanks
// losing heat and hot water being drawn, a furnace fired mornings and evenings, pumps, valves and heaters
// switching on their wanted temperatures and switches. Temperatures are kept in fractions of a degree and
// reported as whole degrees.
class ThermalPlant {
public:
    // Register arrays are indexed by register number (index 0 unused).
    struct Registers {
        const QList<int> &holding;
        QList<int> &analog;
    };

    ThermalPlant(PlantLayout layout, const QDateTime &now, quint32 seed);

    void step(double seconds, const QDateTime &now, int weekday, const ScheduleTable &schedules,
              Registers registers);
    // Writes the sensor values and output states into the analogue registers.
    void report(QList<int> &analog) const;

    static double outdoorTemperature(const QDateTime &now);
    static double sunlight(const QDateTime &now); // 0 at night .. 1 at midday

private:
    struct NodeState {
        double upper = 20;
        double lower = 20;
        double sensorDrift = 0;
        double drawSecondsLeft = 0;
    };

    void stepNode(int index, double seconds, const QDateTime &now);
    void stepTransfers(double seconds, const QList<int> &holding);
    void stepThermostats(double seconds, const QDateTime &now, int weekday, const ScheduleTable &schedules,
                         const QList<int> &holding);
    double &receivingLayer(int fromNode, int toNode);
    bool hasTwoLayers(int node) const { return m_layout.nodes[node].lowerRegister != 0; }

    PlantLayout m_layout;
    QList<NodeState> m_nodes;
    QList<bool> m_transferRunning;
    QList<bool> m_thermostatRunning;
    QRandomGenerator m_random;
};
