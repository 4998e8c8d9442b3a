#pragma once

#include <QList>
#include <QPair>

// Where one schematic's installation keeps its sensors, outputs, wanted temperatures and switches:
// analogue registers for temperatures and output states (1 = on), holding registers for the rest.
// A register number 0 means "none".
struct PlantLayout {
    enum class NodeKind { Collector, Tank, Furnace, OutdoorUnit, Circuit };

    // A body with a temperature; a tank with two sensors has an upper and a lower layer.
    struct Node {
        NodeKind kind = NodeKind::Tank;
        int upperRegister = 0;
        int lowerRegister = 0; // 0: one sensor
    };

    // A pump or valve that moves heat from a warmer node to another while the difference is large enough.
    // Transfers from the same node run one at a time, the earlier one in the list first.
    struct Transfer {
        int fromNode = 0;
        int toNode = 0;
        QList<int> outputRegisters;
        int switchRegister = 0;
        int limitRegister = 0; // wanted temperature at which the receiving node has had enough
    };

    // A heater or cooler that holds a node at its wanted temperature.
    struct Thermostat {
        int node = 0;
        int outputRegister = 0;
        int setpointRegister = 0;
        int switchRegister = 0;
        int timerSwitchRegister = 0; // when checked, the schedule entries of scheduleOutput decide
        int scheduleOutput = 0;
        int heatCoolRegister = 0; // 1 heating, 0 cooling; none: always heating
    };

    QList<Node> nodes;
    QList<Transfer> transfers;
    QList<Thermostat> thermostats;
    bool holidayStopsHeating = false; // the mode register's 2 means holiday for this installation

    // Holding-register values this installation comes with: switches checked, timers off, heating chosen,
    // wanted temperatures in the middle of their range.
    QList<QPair<int, int>> factoryValues() const;

    static PlantLayout forSchematic(int schematic);
};
