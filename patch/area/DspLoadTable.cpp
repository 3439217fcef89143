#include "patch/area/DspLoadTable.h"

#include "patch/module/ModuleInterface.h"

#include <algorithm>
#include <cmath>

namespace {

// 100 divided by each kind's capacity (787 cycles, 1472 X and Y words, 3668
// program words, 115 zero-page words, 8192 dynamic words). The program
// memory factor is the synthesizer's own constant, one bit off 100 / 3668.
constexpr double kFactors[CDspLoadTable::kKindCount] = {
    0.12706480304955528, 0.06793478260869565, 0.06793478260869565,
    0.02726281352235551, 0.8695652173913043,  0.01220703125,
};

// The integer sum of one kind before scaling. The zero page counts one
// unit more than the modules need.
double KindUnits(int kind, const ModuleLoadCounters& r)
{
    const auto& c = r.c;
    switch (kind) {
    case 0:
        return c[0] + c[1] * 0.25;
    case 1:
        return static_cast<double>(uint32_t{c[6]} + c[3]);
    case 2:
        return static_cast<double>(uint32_t{c[7]} + c[4]);
    case 3:
        return static_cast<double>(uint32_t{c[8]} + c[5]);
    case 4:
        return static_cast<double>(uint32_t{c[2]} + 1);
    default:
        return static_cast<double>(c[9]);
    }
}

} // namespace

void CDspLoadTable::AddModule(const CModuleInterface& module)
{
    Record(module.GetAreaIndex()).Add(ModuleLoadCounters::FromWords(module.GetLoadWords()));
    ++moduleCount_;
    Recompute();
}

void CDspLoadTable::RemoveModule(const CModuleInterface& module)
{
    Record(module.GetAreaIndex()).Subtract(ModuleLoadCounters::FromWords(module.GetLoadWords()));
    --moduleCount_;
    Recompute();
}

void CDspLoadTable::AddCable(uint8_t area)
{
    ++cableCount_;
    Record(area).c[9] = static_cast<uint16_t>(Record(area).c[9] + kCableMemory);
}

void CDspLoadTable::RemoveCable(uint8_t area)
{
    --cableCount_;
    Record(area).c[9] = static_cast<uint16_t>(Record(area).c[9] - kCableMemory);
}

double CDspLoadTable::KindLoad(int kind, uint8_t area) const
{
    if (kind < 0 || kind >= kKindCount)
        return 0;
    return KindUnits(kind, GetAreaRecord(area)) * kFactors[kind];
}

int CDspLoadTable::KindLoadPercent(int kind, uint8_t area) const
{
    return static_cast<int>(std::ceil(KindLoad(kind, area)));
}

int CDspLoadTable::DominantKind(uint8_t area) const
{
    int best = 0;
    double bestLoad = KindLoad(0, area);
    for (int kind = 1; kind < kKindCount; ++kind) {
        const double load = KindLoad(kind, area);
        if (load > bestLoad) {
            best = kind;
            bestLoad = load;
        }
    }
    return best;
}

double CDspLoadTable::ComputeLoad(uint8_t area) const
{
    return KindLoad(DominantKind(area), area);
}

uint16_t CDspLoadTable::GetFreeMemory() const
{
    // An overfull patch has nothing free; a wrapped difference would offer
    // almost 64K words to the next paste.
    const int32_t free = int32_t{kDynamicMemory} - area0_.c[9] - area1_.c[9];
    return static_cast<uint16_t>(std::max(free, 0));
}

void CDspLoadTable::Recompute()
{
    load0_ = static_cast<float>(ComputeLoad(0));
    load1_ = static_cast<float>(ComputeLoad(1));
}
