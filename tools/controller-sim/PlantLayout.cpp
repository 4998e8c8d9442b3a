#include "tools/controller-sim/PlantLayout.h"

namespace {

using Kind = PlantLayout::NodeKind;

// Solar collector, boiler, furnace and outdoor unit; also every schematic without a layout of its own.
PlantLayout solarBoilerFurnace()
{
    PlantLayout p;
    p.nodes = {{Kind::Collector, 1}, {Kind::Tank, 3, 2}, {Kind::Furnace, 4}, {Kind::OutdoorUnit, 5}};
    p.transfers = {{0, 1, {16}}, {2, 1, {17}, 7}};
    p.thermostats = {{1, 18, 8, 15, 25, 3}, {3, 19, 22, 21, 26, 4, 32}};
    p.holidayStopsHeating = true;
    return p;
}

// One collector feeding two tanks through two valves; the first tank has priority up to its wanted
// temperature.
PlantLayout solarTwoTanks(int schematic)
{
    PlantLayout p;
    const bool withPump = schematic == 11;
    p.nodes = {{Kind::Collector, 1}, {Kind::Tank, 4, 2}};
    p.nodes.append(schematic == 13 ? PlantLayout::Node{Kind::Tank, 3} : PlantLayout::Node{Kind::Tank, 5, 3});
    p.transfers = {{0, 1, withPump ? QList<int>{16, 17} : QList<int>{17}, 0, 40},
                   {0, 2, withPump ? QList<int>{16, 18} : QList<int>{18}, withPump ? 0 : 39}};
    if (schematic == 11) {
        p.thermostats = {{1, 19, 42, 44, 26, 4}};
    } else if (schematic == 13) {
        p.nodes.append({Kind::Circuit, 5}); // the distributor, warmed through the furnace valve
        p.thermostats = {{1, 19, 42, 44, 25, 3}, {3, 20, 46, 48, 26, 4}};
    } else {
        p.thermostats = {{1, 19, 42, 44, 25, 3}, {2, 20, 46, 48, 26, 4}};
    }
    return p;
}

// Two collectors on one boiler.
PlantLayout twoCollectors(int schematic)
{
    PlantLayout p;
    p.nodes = {{Kind::Collector, 1}, {Kind::Collector, 2}, {Kind::Tank, 4, 3}};
    p.holidayStopsHeating = true;
    if (schematic == 15) {
        p.nodes.append({Kind::OutdoorUnit, 5});
        p.transfers = {{0, 2, {17}}, {1, 2, {18}}};
        p.thermostats = {{2, 19, 8, 15, 25, 3}, {3, 21, 22, 21, 26, 4, 32}};
    } else {
        p.transfers = {{0, 2, {16, 17}}, {1, 2, {16, 18}}};
        p.thermostats = {{2, 19, 8, 0, 26, 4}};
    }
    return p;
}

// One collector on three single-sensor boilers, filled in turn.
PlantLayout solarThreeTanks()
{
    PlantLayout p;
    p.nodes = {{Kind::Collector, 1}, {Kind::Tank, 2}, {Kind::Tank, 3}, {Kind::Tank, 4}};
    p.transfers = {{0, 1, {16, 17}, 0, 40}, {0, 2, {16, 18}, 0, 54}, {0, 3, {16, 19}}};
    return p;
}

// Four devices, each with a wanted temperature, a switch, a timer switch and a heating/cooling choice.
PlantLayout fourDevices(int schematic)
{
    PlantLayout p;
    if (schematic == 20)
        p.nodes = {{Kind::Tank, 1}, {Kind::Tank, 2}, {Kind::Tank, 3}, {Kind::Tank, 4}};
    else
        p.nodes = {{Kind::Circuit, 1}, {Kind::Circuit, 2}, {Kind::Circuit, 3}, {Kind::Tank, 4}};
    p.thermostats = {{0, 16, 57, 56, 23, 1, 65},
                     {1, 17, 60, 59, 24, 2, 66},
                     {2, 18, 63, 62, 25, 3, 67},
                     {3, 19, 22, 21, 26, 4, 32}};
    return p;
}

} // namespace

PlantLayout PlantLayout::forSchematic(int schematic)
{
    switch (schematic) {
    case 10:
    case 11:
    case 12:
    case 13:
        return solarTwoTanks(schematic);
    case 15:
    case 16:
        return twoCollectors(schematic);
    case 18:
        return solarThreeTanks();
    case 20:
    case 21:
        return fourDevices(schematic);
    default:
        return solarBoilerFurnace();
    }
}

QList<QPair<int, int>> PlantLayout::factoryValues() const
{
    constexpr int TankSetpoint = 55;
    constexpr int UnitSetpoint = 40;
    constexpr int TankLimit = 60;
    QList<QPair<int, int>> values;
    auto add = [&values](int reg, int value) {
        if (reg > 0)
            values.append({reg, value});
    };
    for (const Transfer &t : transfers) {
        add(t.switchRegister, 1);
        add(t.limitRegister, TankLimit);
    }
    for (const Thermostat &t : thermostats) {
        add(t.setpointRegister, nodes[t.node].kind == NodeKind::Tank ? TankSetpoint : UnitSetpoint);
        add(t.switchRegister, 1);
        add(t.timerSwitchRegister, 0);
        add(t.heatCoolRegister, 1);
    }
    return values;
}
