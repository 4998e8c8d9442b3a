#include "tools/controller-sim/ThermalPlant.h"

#include <QSet>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

using Kind = PlantLayout::NodeKind;

constexpr double RoomTemperature = 20;
constexpr double MainsWaterTemperature = 12;
constexpr double MaxTankTemperature = 90;

// Rates per second.
constexpr double CollectorSunGain = 0.9;
constexpr double CollectorLoss = 0.008;
constexpr double TankLoss = 0.000005;
constexpr double LayerExchange = 0.002;
constexpr double TankDrawUpper = 0.008;
constexpr double TankDrawLower = 0.02;
constexpr double FurnaceFireGain = 0.3;
constexpr double FurnaceLoss = 0.002;
constexpr double OutdoorUnitLoss = 0.01;
constexpr double CircuitLoss = 0.005;
constexpr double CollectorTransferRate = 0.04;
constexpr double FurnaceTransferRate = 0.01;
constexpr double CollectorToTankShare = 0.05; // a tank holds twenty times the collector's heat per degree
constexpr double OtherToTankShare = 0.3;
constexpr double TankHeaterPower = 0.04;
constexpr double UnitHeaterPower = 0.4;

constexpr double TransferStartDifference = 7;
constexpr double TransferStopDifference = 3;
constexpr double ThermostatHysteresis = 3;

double hourOfDay(const QDateTime &now)
{
    const QTime t = now.time();
    return t.hour() + t.minute() / 60.0 + t.second() / 3600.0;
}

bool furnaceFired(const QDateTime &now)
{
    const double h = hourOfDay(now);
    return (h >= 6 && h < 9) || (h >= 17 && h < 22);
}

bool busyWaterHours(const QDateTime &now)
{
    const double h = hourOfDay(now);
    return (h >= 6 && h < 9) || (h >= 18 && h < 22);
}

int registerValue(const QList<int> &registers, int reg, int fallback)
{
    return reg > 0 && reg < registers.size() ? registers[reg] : fallback;
}

void setRegister(QList<int> &registers, int reg, int value)
{
    if (reg > 0 && reg < registers.size())
        registers[reg] = value;
}

} // namespace

ThermalPlant::ThermalPlant(PlantLayout layout, const QDateTime &now, quint32 seed)
    : m_layout(std::move(layout)), m_nodes(m_layout.nodes.size()),
      m_transferRunning(m_layout.transfers.size()), m_thermostatRunning(m_layout.thermostats.size()),
      m_random(seed)
{
    const double outdoor = outdoorTemperature(now);
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        NodeState &node = m_nodes[i];
        const double spread = m_random.bounded(8.0);
        switch (m_layout.nodes[i].kind) {
        case Kind::Collector:
            node.upper = outdoor + 55 * sunlight(now) + spread;
            break;
        case Kind::Tank:
            node.upper = 44 + spread;
            node.lower = 34 + spread;
            break;
        case Kind::Furnace:
            node.upper = furnaceFired(now) ? 60 + spread : RoomTemperature + 4 + spread;
            break;
        case Kind::OutdoorUnit:
            node.upper = outdoor + spread / 2;
            break;
        case Kind::Circuit:
            node.upper = 32 + spread;
            break;
        }
        if (!hasTwoLayers(int(i)))
            node.lower = node.upper;
    }
}

double ThermalPlant::outdoorTemperature(const QDateTime &now)
{
    // Coldest around 03:00, warmest around 15:00.
    return 10 + 8 * std::sin(2 * M_PI * (hourOfDay(now) - 9) / 24);
}

double ThermalPlant::sunlight(const QDateTime &now)
{
    const double h = hourOfDay(now);
    if (h <= 6 || h >= 20)
        return 0;
    return std::sin(M_PI * (h - 6) / 14);
}

void ThermalPlant::step(double seconds, const QDateTime &now, int weekday, const ScheduleTable &schedules,
                        Registers registers)
{
    for (int i = 0; i < m_nodes.size(); ++i)
        stepNode(i, seconds, now);
    stepTransfers(seconds, registers.holding);
    stepThermostats(seconds, now, weekday, schedules, registers.holding);
    for (NodeState &node : m_nodes) {
        node.sensorDrift = std::clamp(node.sensorDrift + m_random.bounded(0.08) - 0.04, -0.6, 0.6);
        node.upper = std::clamp(node.upper, -30.0, 150.0);
        node.lower = std::clamp(node.lower, -30.0, 150.0);
    }
    report(registers.analog);
}

void ThermalPlant::stepNode(int index, double seconds, const QDateTime &now)
{
    NodeState &node = m_nodes[index];
    const double outdoor = outdoorTemperature(now);
    switch (m_layout.nodes[index].kind) {
    case Kind::Collector:
        node.upper += seconds * (CollectorSunGain * sunlight(now) - CollectorLoss * (node.upper - outdoor));
        break;
    case Kind::Tank: {
        node.upper -= seconds * TankLoss * (node.upper - RoomTemperature);
        node.lower -= seconds * TankLoss * (node.lower - RoomTemperature);
        if (node.drawSecondsLeft <= 0) {
            const double chancePerSecond = busyWaterHours(now) ? 1.0 / 600 : 1.0 / 7200;
            if (m_random.generateDouble() < chancePerSecond * seconds)
                node.drawSecondsLeft = 60 + m_random.bounded(180);
        }
        if (node.drawSecondsLeft > 0) {
            node.drawSecondsLeft -= seconds;
            node.upper -= seconds * TankDrawUpper * std::max(0.0, node.upper - MainsWaterTemperature) / 40;
            node.lower -= seconds * TankDrawLower * std::max(0.0, node.lower - MainsWaterTemperature) / 40;
        }
        break;
    }
    case Kind::Furnace:
        if (furnaceFired(now))
            node.upper += seconds * FurnaceFireGain * std::max(0.0, 1 - (node.upper - RoomTemperature) / 70);
        node.upper -= seconds * FurnaceLoss * (node.upper - RoomTemperature);
        break;
    case Kind::OutdoorUnit:
        node.upper -= seconds * OutdoorUnitLoss * (node.upper - outdoor);
        break;
    case Kind::Circuit:
        node.upper -= seconds * CircuitLoss * (node.upper - RoomTemperature);
        break;
    }
    if (hasTwoLayers(index)) {
        // Warm water rises: a warmer lower layer mixes at once, otherwise the layers slowly even out.
        const double rate = node.lower > node.upper ? 0.05 : LayerExchange;
        const double exchange = seconds * rate * (node.upper - node.lower);
        node.upper -= exchange / 2;
        node.lower += exchange / 2;
    } else {
        node.lower = node.upper;
    }
}

double &ThermalPlant::receivingLayer(int fromNode, int toNode)
{
    // Collector loops enter through the bottom coil, everything else near the top.
    NodeState &to = m_nodes[toNode];
    if (hasTwoLayers(toNode) && m_layout.nodes[fromNode].kind == Kind::Collector)
        return to.lower;
    return to.upper;
}

void ThermalPlant::stepTransfers(double seconds, const QList<int> &holding)
{
    QSet<int> busySources;
    for (int i = 0; i < m_layout.transfers.size(); ++i) {
        const PlantLayout::Transfer &t = m_layout.transfers[i];
        NodeState &from = m_nodes[t.fromNode];
        double &receiver = receivingLayer(t.fromNode, t.toNode);
        const double toUpper = m_nodes[t.toNode].upper;
        const bool switchedOn = registerValue(holding, t.switchRegister, 1) == 1;
        const double limit =
            t.limitRegister ? registerValue(holding, t.limitRegister, 95) : MaxTankTemperature;
        const double needed = m_transferRunning[i] ? TransferStopDifference : TransferStartDifference;
        const bool running = !busySources.contains(t.fromNode) && switchedOn &&
                             from.upper - receiver > needed && toUpper < std::min(limit, MaxTankTemperature);
        m_transferRunning[i] = running;
        if (!running)
            continue;
        busySources.insert(t.fromNode);
        const bool fromCollector = m_layout.nodes[t.fromNode].kind == Kind::Collector;
        const double share = fromCollector ? CollectorToTankShare : OtherToTankShare;
        const double rate = fromCollector ? CollectorTransferRate : FurnaceTransferRate;
        const double moved = seconds * rate * (from.upper - receiver);
        from.upper -= moved;
        receiver += moved * share;
        if (!hasTwoLayers(t.toNode))
            m_nodes[t.toNode].lower = m_nodes[t.toNode].upper;
    }
}

void ThermalPlant::stepThermostats(double seconds, const QDateTime &now, int weekday,
                                   const ScheduleTable &schedules, const QList<int> &holding)
{
    const bool holiday = m_layout.holidayStopsHeating && registerValue(holding, 1, 1) == 2;
    for (int i = 0; i < m_layout.thermostats.size(); ++i) {
        const PlantLayout::Thermostat &t = m_layout.thermostats[i];
        bool enabled = registerValue(holding, t.switchRegister, 1) == 1;
        int setpoint = registerValue(holding, t.setpointRegister, 50);
        if (t.timerSwitchRegister && registerValue(holding, t.timerSwitchRegister, 0) == 1) {
            const QTime time = now.time();
            if (const auto entry =
                    schedules.entryInForce(t.scheduleOutput, weekday, time.hour(), time.minute())) {
                enabled = entry->state == 1;
                if (enabled)
                    setpoint = entry->temperature;
            }
        }
        setpoint = std::clamp(setpoint, 10, 95);
        const bool heating = registerValue(holding, t.heatCoolRegister, 1) != 0;
        NodeState &node = m_nodes[t.node];
        const double margin = m_thermostatRunning[i] ? 0 : ThermostatHysteresis;
        const bool wanted = heating ? node.upper < setpoint - margin : node.upper > setpoint + margin;
        const bool running = enabled && !holiday && wanted;
        m_thermostatRunning[i] = running;
        if (!running)
            continue;
        const bool tank = m_layout.nodes[t.node].kind == Kind::Tank;
        const double power = (tank ? TankHeaterPower : UnitHeaterPower) * seconds * (heating ? 1 : -1);
        node.upper = std::max(node.upper + power, 4.0);
        if (hasTwoLayers(t.node))
            node.lower = std::max(node.lower + power / 4, 4.0);
        else
            node.lower = node.upper;
    }
}

void ThermalPlant::report(QList<int> &analog) const
{
    for (int i = 0; i < m_nodes.size(); ++i) {
        const PlantLayout::Node &layout = m_layout.nodes[i];
        const NodeState &node = m_nodes[i];
        setRegister(analog, layout.upperRegister, int(std::lround(node.upper + node.sensorDrift)));
        if (layout.lowerRegister)
            setRegister(analog, layout.lowerRegister, int(std::lround(node.lower + node.sensorDrift)));
    }
    for (const PlantLayout::Transfer &t : m_layout.transfers)
        for (const int reg : t.outputRegisters)
            setRegister(analog, reg, 0);
    for (const PlantLayout::Thermostat &t : m_layout.thermostats)
        setRegister(analog, t.outputRegister, 0);
    for (int i = 0; i < m_layout.transfers.size(); ++i)
        if (m_transferRunning[i])
            for (const int reg : m_layout.transfers[i].outputRegisters)
                setRegister(analog, reg, 1);
    for (int i = 0; i < m_layout.thermostats.size(); ++i)
        if (m_thermostatRunning[i])
            setRegister(analog, m_layout.thermostats[i].outputRegister, 1);
}
