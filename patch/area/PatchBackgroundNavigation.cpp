#include "patch/area/PatchBackground.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

// The moves of the module cursor over the area's modules, by grid column
// and row.

namespace {

std::vector<CModuleInterface*> ColumnOf(const std::vector<CModuleInterface*>& sorted, uint8_t column)
{
    std::vector<CModuleInterface*> result;
    std::copy_if(sorted.begin(), sorted.end(), std::back_inserter(result),
                 [column](const CModuleInterface* m) { return m->GetColumn() == column; });
    return result;
}

// The module of a column whose row is nearest; the upper one at a tie.
CModuleInterface* NearestInColumn(const std::vector<CModuleInterface*>& column, uint8_t row)
{
    CModuleInterface* best = nullptr;
    int bestDistance = 0;
    for (CModuleInterface* module : column) {
        const int distance = std::abs(int(module->GetRow()) - int(row));
        if (best == nullptr || distance < bestDistance) {
            best = module;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

std::vector<CModuleInterface*> CPatchBackground::GetModulesByPosition() const
{
    std::vector<CModuleInterface*> sorted(store_.GetModules().begin(), store_.GetModules().end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const CModuleInterface* a, const CModuleInterface* b) {
        return a->GetColumn() != b->GetColumn() ? a->GetColumn() < b->GetColumn() : a->GetRow() < b->GetRow();
    });
    return sorted;
}

CModuleInterface* CPatchBackground::FindModuleAbove(const CModuleInterface& module) const
{
    const std::vector<CModuleInterface*> column = ColumnOf(GetModulesByPosition(), module.GetColumn());
    const auto at = std::find(column.begin(), column.end(), &module);
    if (at == column.end()) {
        return const_cast<CModuleInterface*>(&module);
    }
    return at == column.begin() ? column.back() : *(at - 1);
}

CModuleInterface* CPatchBackground::FindModuleBelow(const CModuleInterface& module) const
{
    const std::vector<CModuleInterface*> column = ColumnOf(GetModulesByPosition(), module.GetColumn());
    const auto at = std::find(column.begin(), column.end(), &module);
    if (at == column.end()) {
        return const_cast<CModuleInterface*>(&module);
    }
    return at + 1 == column.end() ? column.front() : *(at + 1);
}

CModuleInterface* CPatchBackground::FindModuleLeft(const CModuleInterface& module) const
{
    const std::vector<CModuleInterface*> sorted = GetModulesByPosition();
    CModuleInterface* target = nullptr;
    for (CModuleInterface* m : sorted) {
        if (m->GetColumn() < module.GetColumn()) {
            target = m; // the last one before: the previous column holding a module
        }
    }
    if (target == nullptr) {
        return const_cast<CModuleInterface*>(&module);
    }
    return NearestInColumn(ColumnOf(sorted, target->GetColumn()), module.GetRow());
}

CModuleInterface* CPatchBackground::FindModuleRight(const CModuleInterface& module) const
{
    const std::vector<CModuleInterface*> sorted = GetModulesByPosition();
    const auto next = std::find_if(sorted.begin(), sorted.end(),
                                   [&](const CModuleInterface* m) { return m->GetColumn() > module.GetColumn(); });
    if (next == sorted.end()) {
        return const_cast<CModuleInterface*>(&module);
    }
    return NearestInColumn(ColumnOf(sorted, (*next)->GetColumn()), module.GetRow());
}
