#pragma once

#include <QString>
#include <array>

// One controller's own captions for its panels, read from its row of the
// Names table. Slots are numbered from 1 as the columns are; index 0 is unused.
// An empty caption means "no label": the field shows its default text.
struct TDeviceNames {
    static constexpr int slotCount = 5;
    static constexpr int plotCount = 4;

    std::array<QString, slotCount + 1> TempSensors;
    std::array<int, slotCount + 1> TempImages{}; // below 1: the tile's default picture
    std::array<QString, slotCount + 1> Relays;
    std::array<QString, slotCount + 1> WantedTemps;
    std::array<QString, slotCount + 1> CheckBoxDevices;
    std::array<QString, slotCount + 1> TimerCheckboxes;
    std::array<QString, plotCount + 1> Plot;

    // Every caption empty, every picture 0: a controller without a row.
    static TDeviceNames empty() { return {}; }

    // Every caption empty, every picture -1: what a failed load leaves.
    static TDeviceNames failed()
    {
        TDeviceNames names;
        names.TempImages.fill(-1);
        names.TempImages[0] = 0;
        return names;
    }

    // Slot n of one of the caption arrays, empty for a slot that does not exist.
    template <std::size_t N> static QString at(const std::array<QString, N> &captions, int n)
    {
        return n >= 1 && n < int(N) ? captions[std::size_t(n)] : QString();
    }
    // Picture slot n, 0 (the default picture) for a slot that does not exist.
    int imageAt(int n) const { return n >= 1 && n <= slotCount ? TempImages[std::size_t(n)] : 0; }
};
