#include "panels/LayoutTable.h"

#include <map>
#include <span>

// The panel layouts, kept as data. A layout that another one repeats with a
// few differences is written as that base plus the list of differences,
// applied once when the tables are first asked for.

namespace {

struct TileRow {
    int slot;
    const char *caption;
    int picture;
    int upperReg;
    int lowerReg = 0; // 0: a one-value tile
};

struct OutputRow {
    int slot;
    const char *caption;
    int reg;
};

struct WantedRow {
    const char *captionTemplate;
    int slot;
    const char *name;
    int reg;
};

struct SwitchRow {
    SwitchKind kind;
    int slot;
    const char *name;
    int reg;
};

struct ChoiceRow {
    const char *first;
    const char *second;
    int reg;
};

struct TabRow {
    int slot;
    const char *name;
};

struct LayoutRows {
    int schematic;
    std::span<const TileRow> tiles;
    std::span<const OutputRow> outputs;
    std::span<const WantedRow> wanted;
    std::span<const SwitchRow> switches;
    std::span<const ChoiceRow> choices;
    std::array<const char *, 4> archive; // nullptr: no default title
    std::span<const char *const> modes;
    int tabDigits;
    std::span<const TabRow> tabs;
};

// One difference of a derived layout. Indices count from 1, as rows are numbered.
enum class EditKind {
    TileCaption,    // tile `index` gets caption `text`
    TilePicture,    // tile `index` gets default picture `number`
    OutputCaption,  // output row `index` gets caption `text`
    WantedTempName, // wanted temperature `index` gets default name `text`
    DeviceName,     // output row, timer switch, plain switch and schedule tab of device `index` get `text`
    ArchiveTitle,   // archive series `index` gets default title `text`
    Outputs,        // the output rows are `outputs`
    Switches,       // the switches are `switches`
    Tabs,           // tab digits `number` with the entries `tabs`
};

struct LayoutEdit {
    EditKind kind;
    int index = 0;
    const char *text = nullptr;
    int number = 0;
    std::span<const OutputRow> outputs = {};
    std::span<const SwitchRow> switches = {};
    std::span<const TabRow> tabs = {};
};

struct DerivedLayout {
    int schematic;
    int base;
    std::span<const LayoutEdit> edits;
};

// clang-format off: one table row per line.
constexpr const char *wantedTemplate = "ПОСАКУВАНА ТЕМП. НА **:";
constexpr SwitchKind timer = SwitchKind::Timer;
constexpr SwitchKind plain = SwitchKind::Plain;

constexpr const char *heatingModes[] = {"АВТОМАТСКИ", "ОДМОР"};
constexpr const char *priorityModes[] = {"А. БЕЗ ПРИОРИТЕТ", "А. СО ПРИОРИТЕТ"};
constexpr const char *automaticOnly[] = {"АВТОМАТСКИ"};

// Schematic 1: solar collector, boiler, furnace, outdoor unit.
constexpr TileRow tiles1[] = {
    {1, "СОЛАР (TS)", 36, 1},
    {2, "БОЈЛЕР (TB,TBS)", 34, 3, 2},
    {4, "КОТЕЛ (TK)", 35, 4},
    {5, "НАДВ. УРЕД (TU4)", 37, 5},
};
constexpr OutputRow outputs1[] = {
    {1, "ПУМПА СОЛАР", 16},
    {2, "ПУМПА КОТЕЛ", 17},
    {3, "E. ГРЕЈАЧ", 18}, // begins with a Latin E
    {4, "НАДВ. УРЕД", 19},
};
constexpr WantedRow wanted1[] = {
    {wantedTemplate, 1, "Е. ГРЕЈАЧ", 8},
    {wantedTemplate, 2, "НАДВ. УРЕД", 22},
};
constexpr SwitchRow switches1[] = {
    {timer, 1, "ГРЕЈАЧ", 25},          {timer, 2, "НАДВ. УРЕД", 26},
    {plain, 1, "ПУМПА КОТЕЛ", 7},      {plain, 2, "ЕЛ. ГРЕЈАЧ НА БОЈЛЕР", 15},
    {plain, 3, "НАДВОРЕШЕН УРЕД", 21},
};
constexpr ChoiceRow heatCool[] = {{"ГРЕЕЊЕ", "ЛАДЕЊЕ", 32}};
constexpr TabRow tabs1[] = {{1, "ГРЕЈАЧ"}, {2, "НАДВ. УРЕД"}};

// Schematic 2: schematic 1 with a blank in a tile caption, a Cyrillic Е, and one schedule tab.
constexpr TabRow tabs2[] = {{1, "ГРЕЈАЧ"}};
constexpr LayoutEdit edits2[] = {
    {.kind = EditKind::TileCaption, .index = 2, .text = "БОЈЛЕР (TB, TBS)"},
    {.kind = EditKind::OutputCaption, .index = 3, .text = "Е. ГРЕЈАЧ"}, // Cyrillic Е
    {.kind = EditKind::Tabs, .number = 3, .tabs = tabs2},
};

// The fallback layout: schematic 1 with two other names.
constexpr LayoutEdit editsFallback[] = {
    {.kind = EditKind::OutputCaption, .index = 3, .text = "ЕЛЕКТРИЧЕН ГРЕЈАЧ"},
    {.kind = EditKind::WantedTempName, .index = 1, .text = "БОЈЛЕР"},
};

// Schematic 10: solar collector, two boilers.
constexpr TileRow tiles10[] = {
    {1, "СОЛАР (TS)", 36, 1},
    {2, "БОЈЛЕР I (TB1, TB1S)", 34, 4, 2},
    {4, "БОЈЛЕР II (TB2, TB2S)", 34, 5, 3},
};
constexpr OutputRow outputs10[] = {
    {1, "ВЕНТИЛ I", 17},
    {2, "ВЕНТИЛ II", 18},
    {3, "ГРЕЈАЧ I", 19},
    {4, "ГРЕЈАЧ II", 20},
};
constexpr WantedRow wanted10[] = {
    {wantedTemplate, 1, "ГРЕЈАЧ I", 42},
    {wantedTemplate, 2, "ГРЕЈАЧ II", 46},
    {wantedTemplate, 3, "БОЈЛЕР I", 40},
};
constexpr SwitchRow switches10[] = {
    {timer, 1, "ГРЕЈАЧ I", 25},     {timer, 2, "ГРЕЈАЧ II", 26},     {plain, 1, "ВЕНТИЛ 2", 39},
    {plain, 2, "ЕЛ. ГРЕЈАЧ I", 44}, {plain, 3, "ЕЛ. ГРЕЈАЧ II", 48},
};
constexpr TabRow tabs10[] = {{1, "ГРЕЈАЧ I"}, {2, "ГРЕЈАЧ II"}};

// Schematic 11: schematic 10 with its own outputs, switches and schedule tab.
constexpr OutputRow outputs11[] = {
    {1, "ПУМПА СОЛАР", 16},
    {2, "ВЕНТИЛ I", 17},
    {3, "ВЕНТИЛ II", 18},
    {4, "ГРЕЈАЧ I", 19},
};
constexpr SwitchRow switches11[] = {
    {timer, 1, "ГРЕЈАЧ I", 26},
    {plain, 1, "ЕЛ. ГРЕЈАЧ I", 44},
};
constexpr TabRow tabs11[] = {{1, "ГРЕЈАЧ I"}};
constexpr LayoutEdit edits11[] = {
    {.kind = EditKind::Outputs, .outputs = outputs11},
    {.kind = EditKind::Switches, .switches = switches11},
    {.kind = EditKind::Tabs, .number = 4, .tabs = tabs11},
};

// Schematic 12: solar collector, boiler and buffer.
constexpr TileRow tiles12[] = {
    {1, "СОЛАР (TS)", 36, 1},
    {2, "БОЈЛЕР (TB1, TB1S)", 34, 4, 2},
    {4, "БАФЕР (TB2, TB2S)", 39, 5, 3},
};
constexpr OutputRow outputs12[] = {
    {1, "ВЕНТИЛ I", 17},
    {2, "ВЕНТИЛ II", 18},
    {3, "ГРЕЈАЧ I", 19},
    {4, "П. РЕЦИРКУЛАЦИЈА", 20},
};
constexpr WantedRow wanted12[] = {
    {wantedTemplate, 1, "ГРЕЈАЧ I", 42},
    {"ПОСАКУВАНА ТЕМП. НА БАФЕР:", 2, "БАФЕР", 46}, // no "**": the caption never changes
    {wantedTemplate, 3, "БОЈЛЕР", 40},
};
constexpr SwitchRow switches12[] = {
    {timer, 1, "ГРЕЈАЧ I", 25},     {timer, 2, "П. РЕЦИРКУЛАЦИЈА", 26}, {plain, 1, "ВЕНТИЛ II", 39},
    {plain, 2, "ЕЛ. ГРЕЈАЧ I", 44}, {plain, 3, "П. РЕЦИРКУЛАЦИЈА", 48},
};
constexpr TabRow tabs12[] = {{1, "ГРЕЈАЧ I"}, {2, "П. РЕЦИРКУЛАЦИЈА"}};

// Schematic 13: two boilers, a distributor and a furnace valve.
constexpr TileRow tiles13[] = {
    {1, "СОЛАР (TS)", 36, 1},
    {2, "БОЈЛЕР I (TB1, TB1S)", 34, 4, 2},
    {4, "БОЈЛЕР II (TB2S)", 50, 3},
    {5, "РАЗДЕЛНИК (TR)", 52, 5},
};
constexpr OutputRow outputs13[] = {
    {1, "ВЕНТИЛ I", 17},
    {2, "ВЕНТИЛ II", 18},
    {3, "ГРЕЈАЧ I", 19},
    {4, "ВЕНТИЛ КОТЕЛ", 20},
};
constexpr WantedRow wanted13[] = {
    {wantedTemplate, 1, "ГРЕЈАЧ I", 42},
    {wantedTemplate, 2, "ВЕНТИЛ КОТЕЛ", 46},
    {wantedTemplate, 3, "БОЈЛЕР I", 40},
};
constexpr SwitchRow switches13[] = {
    {timer, 1, "ГРЕЈАЧ I", 25},     {timer, 2, "В. КОТЕЛ", 26},     {plain, 1, "ВЕНТИЛ 2", 39},
    {plain, 2, "ЕЛ. ГРЕЈАЧ I", 44}, {plain, 3, "ВЕНТИЛ КОТЕЛ", 48},
};
constexpr TabRow tabs13[] = {{1, "ГРЕЈАЧ I"}, {2, "В. КОТЕЛ"}};

// Schematic 15: two solar collectors, boiler, outdoor unit.
constexpr TileRow tiles15[] = {
    {1, "СОЛАР I (TS1)", 36, 1},
    {2, "СОЛАР II (TS2)", 36, 2},
    {3, "БОЈЛЕР (TB,TBS)", 34, 4, 3},
    {5, "НАДВ. УРЕД (TU4)", 37, 5},
};
constexpr OutputRow outputs15[] = {
    {1, "ВЕНТИЛ I", 17},
    {2, "ВЕНТИЛ II", 18},
    {3, "ГРЕЈАЧ", 19},
    {4, "НАДВ. УРЕД", 21},
};
constexpr WantedRow wanted15[] = {
    {wantedTemplate, 1, "ГРЕЈАЧ", 8},
    {wantedTemplate, 2, "НАДВ. УРЕД", 22},
};
constexpr SwitchRow switches15[] = {
    {timer, 1, "ГРЕЈАЧ", 25},
    {timer, 2, "НАДВ. УРЕД", 26},
    {plain, 1, "ГРЕЈАЧ", 15},
    {plain, 2, "НАДВ. УРЕД", 21},
};
constexpr TabRow tabs15[] = {{1, "ГРЕЈАЧ"}, {2, "НАДВ. УРЕД"}};

// Schematic 16: two solar collectors, boiler.
constexpr TileRow tiles16[] = {
    {1, "СОЛАР I (TS1)", 36, 1},
    {2, "СОЛАР II (TS2)", 36, 2},
    {3, "БОЈЛЕР (TB,TBS)", 34, 4, 3},
};
constexpr OutputRow outputs16[] = {
    {1, "ПУМПА СОЛАР", 16},
    {2, "ВЕНТИЛ I", 17},
    {3, "ВЕНТИЛ II", 18},
    {4, "ГРЕЈАЧ", 18}, // follows the same register as row 3
};
constexpr WantedRow wanted16[] = {{wantedTemplate, 1, "ГРЕЈАЧ", 8}};
constexpr SwitchRow switches16[] = {{timer, 1, "ГРЕЈАЧ", 26}};
constexpr TabRow tabs16[] = {{1, "ГРЕЈАЧ"}};

// Schematic 18: solar collector, three boilers; no switches.
constexpr TileRow tiles18[] = {
    {1, "СОЛАР (TS)", 36, 1},
    {2, "БОЈЛЕР I (TB1S)", 50, 2},
    {3, "БОЈЛЕР II (TB2S)", 50, 3},
    {4, "БОЈЛЕР III (TB3S)", 50, 4},
};
constexpr OutputRow outputs18[] = {
    {1, "СОЛАРНА ПУМПА", 16},
    {2, "ВЕНТИЛ I", 17},
    {3, "ВЕНТИЛ II", 18},
    {4, "ВЕНТИЛ III", 19},
};
constexpr WantedRow wanted18[] = {
    {wantedTemplate, 1, "БОЈЛЕР I", 40},
    {wantedTemplate, 2, "БОЈЛЕР II", 54},
};

// Schematic 20: four boilers, each with its own heater. The fourth device
// does not continue the register pattern of the first three.
constexpr TileRow tiles20[] = {
    {1, "БОЈЛЕР I (TB1)", 50, 1},
    {2, "БОЈЛЕР II (TB2)", 50, 2},
    {3, "БОЈЛЕР III (TB3)", 50, 3},
    {4, "БОЈЛЕР IV (TB4)", 50, 4},
};
constexpr OutputRow outputs20[] = {
    {1, "ГРЕЈАЧ I", 16},
    {2, "ГРЕЈАЧ II", 17},
    {3, "ГРЕЈАЧ III", 18},
    {4, "ГРЕЈАЧ IV", 19},
};
constexpr WantedRow wanted20[] = {
    {wantedTemplate, 1, "БОЈЛЕР I", 57},
    {wantedTemplate, 2, "БОЈЛЕР II", 60},
    {wantedTemplate, 3, "БОЈЛЕР III", 63},
    {wantedTemplate, 4, "БОЈЛЕР IV", 22},
};
constexpr SwitchRow switches20[] = {
    {timer, 1, "ГРЕЈАЧ I", 23},   {timer, 2, "ГРЕЈАЧ II", 24}, {timer, 3, "ГРЕЈАЧ III", 25},
    {timer, 4, "ГРЕЈАЧ IV", 26},  {plain, 1, "ГРЕЈАЧ I", 56},  {plain, 2, "ГРЕЈАЧ II", 59},
    {plain, 3, "ГРЕЈАЧ III", 62}, {plain, 4, "ГРЕЈАЧ IV", 21},
};
constexpr ChoiceRow choices20[] = {
    {"ГРЕЕЊЕ I", "ЛАДЕЊЕ I", 65},
    {"ГРЕЕЊЕ II", "ЛАДЕЊЕ II", 66},
    {"ГРЕЕЊЕ III", "ЛАДЕЊЕ III", 67},
    {"ГРЕЕЊЕ IV", "ЛАДЕЊЕ IV", 32},
};
constexpr TabRow tabs20[] = {{1, "ГРЕЈАЧ I"}, {2, "ГРЕЈАЧ II"}, {3, "ГРЕЈАЧ III"}, {4, "ГРЕЈАЧ IV"}};

// Schematic 21: schematic 20's structure and registers with the texts of two
// furnaces, a recirculation circuit and a boiler.
constexpr LayoutEdit edits21[] = {
    {.kind = EditKind::TileCaption, .index = 1, .text = "КОТЕЛ I (TK1)"},
    {.kind = EditKind::TilePicture, .index = 1, .number = 35},
    {.kind = EditKind::TileCaption, .index = 2, .text = "КОТЕЛ II (TK2)"},
    {.kind = EditKind::TilePicture, .index = 2, .number = 35},
    {.kind = EditKind::TileCaption, .index = 3, .text = "П. РЕЦИРК. (TPR)"},
    {.kind = EditKind::TilePicture, .index = 3, .number = 51},
    {.kind = EditKind::TileCaption, .index = 4, .text = "БОЈЛЕР (TB)"},
    {.kind = EditKind::TilePicture, .index = 4, .number = 50},
    {.kind = EditKind::DeviceName, .index = 1, .text = "КОТЕЛ I"},
    {.kind = EditKind::DeviceName, .index = 2, .text = "КОТЕЛ II"},
    {.kind = EditKind::DeviceName, .index = 3, .text = "П. РЕЦИРК."},
    {.kind = EditKind::DeviceName, .index = 4, .text = "ГРЕЈАЧ"},
    {.kind = EditKind::WantedTempName, .index = 1, .text = "КОТЕЛ I"},
    {.kind = EditKind::WantedTempName, .index = 2, .text = "КОТЕЛ II"},
    {.kind = EditKind::WantedTempName, .index = 3, .text = "П. РЕЦИРК."},
    {.kind = EditKind::WantedTempName, .index = 4, .text = "БОЈЛЕР"},
    {.kind = EditKind::ArchiveTitle, .index = 1, .text = "КОТЕЛ I"},
    {.kind = EditKind::ArchiveTitle, .index = 2, .text = "КОТЕЛ II"},
    {.kind = EditKind::ArchiveTitle, .index = 3, .text = "П. РЕЦИРК."},
    {.kind = EditKind::ArchiveTitle, .index = 4, .text = "БОЈЛЕР"},
};

constexpr LayoutRows ownLayouts[] = {
    {1,
     tiles1,
     outputs1,
     wanted1,
     switches1,
     heatCool,
     {"СОЛАР", "БОЈЛЕР", "КОТЕЛ", nullptr},
     heatingModes,
     34,
     tabs1},
    {10,
     tiles10,
     outputs10,
     wanted10,
     switches10,
     {},
     {"СОЛАР", "БОЈЛЕР I", "БОЈЛЕР II", nullptr},
     priorityModes,
     34,
     tabs10},
    {12,
     tiles12,
     outputs12,
     wanted12,
     switches12,
     {},
     {"СОЛАР", "БОЈЛЕР I", "БОЈЛЕР II", nullptr},
     priorityModes,
     34,
     tabs12},
    {13,
     tiles13,
     outputs13,
     wanted13,
     switches13,
     {},
     {"СОЛАР (TS)", "БОЈЛЕР I (TB1)", "БОЈЛЕР II (TBS2)", "РАЗДЕЛНИК (TR)"},
     priorityModes,
     34,
     tabs13},
    {15,
     tiles15,
     outputs15,
     wanted15,
     switches15,
     heatCool,
     {"СОЛАР I", "СОЛАР II", "БОЈЛЕР", "НАДВ. УРЕД"},
     heatingModes,
     34,
     tabs15},
    {16,
     tiles16,
     outputs16,
     wanted16,
     switches16,
     {},
     {"СОЛАР I", "СОЛАР II", "БОЈЛЕР", nullptr},
     heatingModes,
     4,
     tabs16},
    {18,
     tiles18,
     outputs18,
     wanted18,
     {},
     {},
     {"СОЛАР", "БОЈЛЕР I", "БОЈЛЕР II", "БОЈЛЕР III"},
     priorityModes,
     0,
     {}},
    {20,
     tiles20,
     outputs20,
     wanted20,
     switches20,
     choices20,
     {"БОЈЛЕР I", "БОЈЛЕР II", "БОЈЛЕР III", "БОЈЛЕР IV"},
     automaticOnly,
     1234,
     tabs20},
};

// Derived layouts, each after its base. The fallback is number 0.
constexpr DerivedLayout derivedLayouts[] = {
    {2, 1, edits2},
    {0, 1, editsFallback},
    {11, 10, edits11},
    {21, 20, edits21},
};

// clang-format on

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QList<OutputRowEntry> toOutputs(std::span<const OutputRow> rows)
{
    QList<OutputRowEntry> out;
    for (const OutputRow &r : rows)
        out.append({r.slot, text(r.caption), r.reg});
    return out;
}

QList<SwitchEntry> toSwitches(std::span<const SwitchRow> rows)
{
    QList<SwitchEntry> out;
    for (const SwitchRow &r : rows)
        out.append({r.kind, r.slot, text(r.name), r.reg});
    return out;
}

QList<ScheduleTabEntry> toTabs(std::span<const TabRow> rows)
{
    QList<ScheduleTabEntry> out;
    for (const TabRow &r : rows)
        out.append({r.slot, text(r.name)});
    return out;
}

LayoutTable toTable(const LayoutRows &rows)
{
    LayoutTable t;
    t.schematic = rows.schematic;
    for (const TileRow &r : rows.tiles) {
        QList<int> regs{r.upperReg};
        if (r.lowerReg)
            regs.append(r.lowerReg);
        t.sensorTiles.append({r.slot, text(r.caption), r.picture, regs});
    }
    t.outputRows = toOutputs(rows.outputs);
    for (const WantedRow &r : rows.wanted)
        t.wantedTemps.append({text(r.captionTemplate), r.slot, text(r.name), r.reg});
    t.switches = toSwitches(rows.switches);
    for (const ChoiceRow &r : rows.choices)
        t.twoChoices.append({text(r.first), text(r.second), r.reg});
    for (std::size_t i = 0; i < t.archiveTitles.size(); ++i)
        t.archiveTitles[i] = text(rows.archive[i]);
    for (const char *mode : rows.modes)
        t.modeEntries.append(text(mode));
    t.tabDigits = rows.tabDigits;
    t.scheduleTabs = toTabs(rows.tabs);
    return t;
}

template <typename T> T *nth(QList<T> &list, int index)
{
    return index >= 1 && index <= list.size() ? &list[index - 1] : nullptr;
}

// The index-th switch of one kind (1-based), or nullptr.
SwitchEntry *nthSwitch(LayoutTable &t, SwitchKind kind, int index)
{
    for (SwitchEntry &s : t.switches) {
        if (s.kind == kind && --index == 0)
            return &s;
    }
    return nullptr;
}

void apply(LayoutTable &t, const LayoutEdit &e)
{
    switch (e.kind) {
    case EditKind::TileCaption:
        if (auto *tile = nth(t.sensorTiles, e.index))
            tile->defaultCaption = text(e.text);
        break;
    case EditKind::TilePicture:
        if (auto *tile = nth(t.sensorTiles, e.index))
            tile->defaultPicture = e.number;
        break;
    case EditKind::OutputCaption:
        if (auto *row = nth(t.outputRows, e.index))
            row->defaultCaption = text(e.text);
        break;
    case EditKind::WantedTempName:
        if (auto *field = nth(t.wantedTemps, e.index))
            field->defaultName = text(e.text);
        break;
    case EditKind::DeviceName:
        if (auto *row = nth(t.outputRows, e.index))
            row->defaultCaption = text(e.text);
        if (auto *s = nthSwitch(t, SwitchKind::Timer, e.index))
            s->defaultName = text(e.text);
        if (auto *s = nthSwitch(t, SwitchKind::Plain, e.index))
            s->defaultName = text(e.text);
        for (ScheduleTabEntry &tab : t.scheduleTabs) {
            if (tab.slot == e.index)
                tab.defaultName = text(e.text);
        }
        break;
    case EditKind::ArchiveTitle:
        if (e.index >= 1 && e.index <= int(t.archiveTitles.size()))
            t.archiveTitles[std::size_t(e.index - 1)] = text(e.text);
        break;
    case EditKind::Outputs:
        t.outputRows = toOutputs(e.outputs);
        break;
    case EditKind::Switches:
        t.switches = toSwitches(e.switches);
        break;
    case EditKind::Tabs:
        t.tabDigits = e.number;
        t.scheduleTabs = toTabs(e.tabs);
        break;
    }
}

std::map<int, LayoutTable> buildLayouts()
{
    std::map<int, LayoutTable> layouts;
    for (const LayoutRows &rows : ownLayouts)
        layouts[rows.schematic] = toTable(rows);
    for (const DerivedLayout &derived : derivedLayouts) {
        LayoutTable t = layouts.at(derived.base);
        t.schematic = derived.schematic;
        for (const LayoutEdit &edit : derived.edits)
            apply(t, edit);
        layouts[derived.schematic] = std::move(t);
    }
    return layouts;
}

const std::map<int, LayoutTable> &allLayouts()
{
    static const std::map<int, LayoutTable> layouts = buildLayouts();
    return layouts;
}

} // namespace

const LayoutTable &layoutFor(int schematic)
{
    const auto &layouts = allLayouts();
    const auto it = layouts.find(schematic);
    return it != layouts.end() ? it->second : layouts.at(0);
}

QList<int> layoutNumbers()
{
    QList<int> numbers;
    for (const auto &[number, table] : allLayouts()) {
        if (number != 0)
            numbers.append(number);
    }
    return numbers;
}
