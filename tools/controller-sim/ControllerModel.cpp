#include "tools/controller-sim/ControllerModel.h"

#include "tools/controller-sim/WireCodec.h"

#include <climits>

ControllerModel::ControllerModel(int schematic, quint32 seed)
    : m_holding(HoldingRegisterCount + 1), m_analog(AnalogRegisterCount), m_seed(seed)
{
    m_holding[ModeRegister] = 1; // automatic
    m_holding[SchematicRegister] = schematic;
    rebuildPlantIfSchematicChanged();
}

int ControllerModel::holding(int reg) const
{
    return reg >= 1 && reg <= HoldingRegisterCount ? m_holding[reg] : 0;
}

int ControllerModel::analog(int reg) const
{
    if (reg >= 1 && reg < ClockFirstRegister)
        return m_analog[reg];
    if (reg < ClockFirstRegister || reg > ClockLastRegister)
        return 0;
    const QDateTime now = m_clock.now();
    switch (reg) {
    case 30:
        return now.date().year() % 100;
    case 31:
        return now.date().month();
    case 32:
        return now.date().day();
    case 33:
        return m_clock.weekday();
    case 34:
        return now.time().hour();
    case 35:
        return now.time().minute();
    default:
        return now.time().second();
    }
}

void ControllerModel::writeHolding(int reg, int value)
{
    m_holding[reg] = value;
    if (reg == SchematicRegister)
        rebuildPlantIfSchematicChanged();
}

bool ControllerModel::rebuildPlantIfSchematicChanged()
{
    if (m_plant && m_plantSchematic == schematic())
        return false;
    // A new schematic brings its own installation, starting from the values it comes with; registers it
    // does not use keep theirs.
    m_plantSchematic = schematic();
    const PlantLayout layout = PlantLayout::forSchematic(m_plantSchematic);
    for (const auto &[reg, value] : layout.factoryValues())
        m_holding[reg] = value;
    std::fill(m_analog.begin(), m_analog.end(), 0);
    m_plant = std::make_unique<ThermalPlant>(layout, m_clock.now(), m_seed + quint32(m_plantSchematic));
    step(0); // outputs settle on the starting temperatures
    return true;
}

void ControllerModel::step(double seconds)
{
    m_plant->step(seconds, m_clock.now(), m_clock.weekday(), m_schedules, {m_holding, m_analog});
}

QList<WireAnswer> ControllerModel::handle(const WireCommand &command)
{
    const QList<int> &args = command.arguments;
    using F = WireCommand::Function;
    switch (command.function) {
    case F::WriteHolding:
        if (args[0] >= 1 && args[0] <= HoldingRegisterCount)
            writeHolding(args[0], args[1]);
        return {};
    case F::WriteHoldingBatch: {
        // All or nothing: a batch that runs outside the registers changes none of them.
        const int start = args[0];
        const int count = args[1];
        if (count == 0 || start < 1 || qint64(start) + count - 1 > HoldingRegisterCount)
            return {};
        // Values written together with a new schematic win over the ones the schematic comes with.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < count; ++i)
                m_holding[start + i] = args[2 + i];
            if (!rebuildPlantIfSchematicChanged())
                break;
        }
        return {};
    }
    case F::ReadHoldingBatch:
    case F::ReadAnalogBatch: {
        const int start = args[0];
        const int count = args[1];
        if (count < 1 || count > WireCodec::MaxReadCount)
            return {};
        QList<int> values;
        values.reserve(count);
        const bool holdingRead = command.function == F::ReadHoldingBatch;
        for (qint64 reg = start; reg < qint64(start) + count; ++reg) {
            const int r = reg > INT_MAX ? 0 : int(reg);
            values.append(holdingRead ? holding(r) : analog(r));
        }
        if (holdingRead)
            return {{"/Ret", WireCodec::holdingBatchAnswer(start, values)}};
        return {{"/ARet", WireCodec::analogBatchAnswer(start, values)}};
    }
    case F::ReadHolding:
        return {{"/Ret", WireCodec::holdingAnswer(args[0], holding(args[0]))}};
    case F::SetClock:
        m_clock.set(args[0], args[1], args[2], args[3], args[4], args[5], args[6]);
        return {};
    case F::AddSchedule:
        // mask, hour, minute, seconds, output, state, spare, temperature
        m_schedules.add(args[0], args[1], args[2], args[4], args[5], args[7]);
        return {};
    case F::ListSchedules:
        return listSchedules();
    case F::DeleteAllSchedules:
        m_schedules.clear();
        return {};
    case F::DeleteSchedule:
        m_schedules.remove(args[0]);
        return {};
    }
    return {};
}

QList<WireAnswer> ControllerModel::listSchedules() const
{
    const QList<ScheduleEntry> &entries = m_schedules.entries();
    if (entries.isEmpty())
        return {{"/S", WireCodec::emptyScheduleAnswer()}};
    QList<WireAnswer> answers;
    const int total = int(entries.size());
    for (int i = 0; i < total; ++i)
        answers.append({"/S", WireCodec::scheduleEntryAnswer(i + 1, total, entries[i])});
    return answers;
}
