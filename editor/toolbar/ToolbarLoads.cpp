#include "editor/toolbar/ToolbarLoads.h"

#include "patch/area/DspLoadTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

uint8_t MeterValue(double load)
{
    const double ceiling = std::ceil(load);
    return ceiling < 100 ? static_cast<uint8_t>(std::max(ceiling, 0.0)) : 100;
}

std::string PercentText(double load)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", load);
    return text;
}

} // namespace

ToolbarLoads ToolbarLoads::Compute(const KindLoads& loads, double polyAreaLoad)
{
    const double poly = loads[1][0];
    const double sum = loads[0][0] + loads[1][0];
    double memory = 0;
    for (int kind = 1; kind < CDspLoadTable::kKindCount; ++kind)
        memory = std::max(memory, loads[0][kind] + loads[1][kind]);

    ToolbarLoads result;
    result.sum.value = MeterValue(sum);
    result.sum.overload = memory > 100 || sum > 100;
    result.sum.text = memory > 100 ? "Mem" : PercentText(sum);
    result.polyArea.value = MeterValue(poly);
    result.polyArea.overload = polyAreaLoad > 100 || poly > 100;
    result.polyArea.text = polyAreaLoad > 100 && poly <= 100 ? "Mem" : PercentText(poly);
    return result;
}

ToolbarLoads ToolbarLoads::FromTable(const CDspLoadTable& table)
{
    KindLoads loads{};
    for (uint8_t area = 0; area < 2; ++area)
        for (int kind = 0; kind < CDspLoadTable::kKindCount; ++kind)
            loads[area][kind] = table.KindLoad(kind, area);
    return Compute(loads, table.GetLoad(1));
}
