#pragma once

#include <array>
#include <cstdint>
#include <string>

class CDspLoadTable;

// What a load meter of the toolbar shows: its value (per cent, capped at
// 100), its overload mark and its text.
struct LoadMeterDisplay {
    uint8_t value = 0;
    bool overload = false;
    std::string text;

    bool operator==(const LoadMeterDisplay&) const = default;
};

// The two load meters of the toolbar from the loads of a patch: the sum of
// both voice areas' DSP cycles (marked and "Mem" when any other resource of
// the two areas together is over 100 per cent), and the poly voice area's
// cycles (marked when its dominant resource is over, "Mem" when that is a
// memory kind and the cycles are within 100).
struct ToolbarLoads {
    // Per-cent load of each resource kind (0 cycles, 1 to 5 memories) in
    // voice area 0 and 1, and the poly area's stored load.
    using KindLoads = std::array<std::array<double, 6>, 2>;

    static ToolbarLoads Compute(const KindLoads& loads, double polyAreaLoad);
    static ToolbarLoads FromTable(const CDspLoadTable& table);

    LoadMeterDisplay sum;
    LoadMeterDisplay polyArea;
};
