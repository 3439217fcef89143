#pragma once

#include "patch/area/ModuleLoadCounters.h"

#include <cstdint>

class CModuleInterface;

// Running sums of the DSP resources that the modules and cables of the two
// voice areas need, and the per-cent loads they make. Area 0 is the common
// voice area; any other index is area 1, the poly voice area. A load above
// 100 per cent is shown, never refused.
class CDspLoadTable {
public:
    static constexpr int kKindCount = 6;
    static constexpr uint16_t kDynamicMemory = 8192;
    // Dynamic memory that one cable takes.
    static constexpr uint16_t kCableMemory = 3;

    CDspLoadTable() = default;

    void AddModule(const CModuleInterface& module);
    void RemoveModule(const CModuleInterface& module);
    // The cached loads stay until the next module change.
    void AddCable(uint8_t area);
    void RemoveCable(uint8_t area);

    // The load cached at the last module change.
    float GetLoad(uint8_t area) const { return area == 0 ? load0_ : load1_; }
    // The load of the area's dominant kind: the greatest of the six.
    double ComputeLoad(uint8_t area) const;
    // Ties keep the lower kind.
    int DominantKind(uint8_t area) const;
    // The per-cent load of one kind (0 cycles, 1 X memory, 2 Y memory,
    // 3 program memory, 4 zero page, 5 dynamic memory).
    double KindLoad(int kind, uint8_t area) const;
    // The same rounded up to a whole number.
    int KindLoadPercent(int kind, uint8_t area) const;

    double Load0(uint8_t area) const { return KindLoad(0, area); }
    double Load1(uint8_t area) const { return KindLoad(1, area); }
    double Load2(uint8_t area) const { return KindLoad(2, area); }
    double Load3(uint8_t area) const { return KindLoad(3, area); }
    double Load4(uint8_t area) const { return KindLoad(4, area); }
    double Load5(uint8_t area) const { return KindLoad(5, area); }
    int Load0Percent(uint8_t area) const { return KindLoadPercent(0, area); }
    int Load1Percent(uint8_t area) const { return KindLoadPercent(1, area); }
    int Load2Percent(uint8_t area) const { return KindLoadPercent(2, area); }
    int Load3Percent(uint8_t area) const { return KindLoadPercent(3, area); }
    int Load4Percent(uint8_t area) const { return KindLoadPercent(4, area); }
    int Load5Percent(uint8_t area) const { return KindLoadPercent(5, area); }

    // 8192 less the dynamic memory of both areas; 0 when they need more.
    uint16_t GetFreeMemory() const;

    uint16_t GetModuleCount() const { return moduleCount_; }
    uint16_t GetCableCount() const { return cableCount_; }
    const ModuleLoadCounters& GetAreaRecord(uint8_t area) const { return area == 0 ? area0_ : area1_; }

private:
    ModuleLoadCounters& Record(uint8_t area) { return area == 0 ? area0_ : area1_; }
    void Recompute();

    ModuleLoadCounters area0_;
    ModuleLoadCounters area1_;
    uint16_t moduleCount_ = 0;
    uint16_t cableCount_ = 0;
    float load0_ = 0;
    float load1_ = 0;
};
