#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// What the overview and settings lists of one schematic hold: which fields
// exist, in which order, with which default captions, pictures and registers.
// Slots index the caption arrays of TDeviceNames (1..5).

struct SensorTileEntry {
    int slot = 0; // TempSensors[slot] caption, TempImages[slot] picture
    QString defaultCaption;
    int defaultPicture = 0; // button picture; 34 and 39 make a two-value tile
    QList<int> analogRegs;  // upper value first
};

struct OutputRowEntry {
    int slot = 0; // Relays[slot]
    QString defaultCaption;
    int analogReg = 0; // 1 means on
};

struct WantedTempEntry {
    QString captionTemplate; // "**" is replaced by the name
    int slot = 0;            // WantedTemps[slot]
    QString defaultName;
    int holdingReg = 0;
    int minimum = 10;
    int maximum = 95;
};

enum class SwitchKind { Timer, Plain };

struct SwitchEntry {
    SwitchKind kind = SwitchKind::Plain;
    int slot = 0; // TimerCheckboxes[slot] or CheckBoxDevices[slot]
    QString defaultName;
    int holdingReg = 0; // 1 means checked

    bool isTimer() const { return kind == SwitchKind::Timer; }
};

struct TwoChoiceEntry {
    QString firstText;  // writes 1
    QString secondText; // writes 0
    int holdingReg = 0;
    int firstPicture = 28;
    int secondPicture = 27;
};

struct ScheduleTabEntry {
    int slot = 0; // TimerCheckboxes[slot]
    QString defaultName;
};

struct LayoutTable {
    int schematic = 0; // 0 for the fallback layout
    QList<SensorTileEntry> sensorTiles;
    QList<OutputRowEntry> outputRows;
    QList<WantedTempEntry> wantedTemps;
    QList<SwitchEntry> switches;
    QList<TwoChoiceEntry> twoChoices;
    std::array<QString, 4> archiveTitles; // empty: the series has no default title
    QStringList modeEntries;              // entry i is holding register 1 = i + 1
    int tabDigits = 0;                    // digit d shows schedule tab "tabSched" + d
    QList<ScheduleTabEntry> scheduleTabs; // paired with the digits from the right

    bool isFallback() const { return schematic == 0; }
};

// The layout of a schematic number; every number without a layout of its own
// (negative ones included) gets the fallback layout.
const LayoutTable &layoutFor(int schematic);
// The numbers that have a layout of their own, ascending.
QList<int> layoutNumbers();

inline constexpr char timerSwitchTemplate[] = "ОВОЗМОЖИ ТАЈМЕРИ НА **";
inline constexpr char plainSwitchTemplate[] = "**";
