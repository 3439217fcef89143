#include "patch/area/ModuleList.h"

#include <algorithm>

CModuleInterface* CModuleList::Find(uint8_t index) const
{
    CModuleInterface* indexed = byIndex_[index];
    if (indexed != nullptr && indexed->GetModuleIndex() == index) {
        return indexed;
    }
    // Not where its number says: a module was renumbered in place (a clip
    // does that), or none has the number.
    const auto found = std::find_if(modules_.begin(), modules_.end(),
                                    [index](const CModuleInterface* m) { return m->GetModuleIndex() == index; });
    if (found == modules_.end()) {
        if (indexed != nullptr) {
            Reindex();
        }
        return nullptr;
    }
    Reindex();
    return *found;
}

void CModuleList::Reindex() const
{
    // Backwards, so that of two modules with one number the first wins.
    byIndex_.fill(nullptr);
    for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) {
        byIndex_[(*it)->GetModuleIndex()] = *it;
    }
}

void CModuleList::Append(std::unique_ptr<CModuleInterface> module)
{
    const uint8_t index = module->GetModuleIndex();
    const CModuleInterface* present = byIndex_[index];
    if (present == nullptr || present->GetModuleIndex() != index) {
        byIndex_[index] = module.get();
    }
    modules_.push_back(module.release());
}

std::unique_ptr<CModuleInterface> CModuleList::Take(uint8_t index)
{
    CModuleInterface* taken = Find(index);
    if (taken == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CModuleInterface> module(taken);
    modules_.erase(std::find(modules_.begin(), modules_.end(), taken));
    byIndex_[index] = nullptr;
    if (Find(index) != nullptr) {
        Reindex(); // another module has the number too
    }
    return module;
}

void CModuleList::Remove(uint8_t index)
{
    std::unique_ptr<CModuleInterface> module = Take(index);
    if (module != nullptr) {
        Release(module.release());
    }
}

void CModuleList::RemoveAll()
{
    for (CModuleInterface* module : modules_) {
        Release(module);
    }
    modules_.clear();
    byIndex_.fill(nullptr);
}

void CModuleList::Release(CModuleInterface* module) const
{
    if (owner_) {
        delete module;
    }
}

uint8_t CModuleList::NextFreeModuleIndex(uint32_t n) const
{
    uint32_t found = 0;
    for (uint32_t index = 1; index < 256; ++index) {
        if (!Has(static_cast<uint8_t>(index)) && ++found == n) {
            return static_cast<uint8_t>(index);
        }
    }
    return 0;
}

void CModuleList::SetAreaIndex(uint8_t area)
{
    for (CModuleInterface* module : modules_) {
        module->SetAreaIndex(area);
    }
}

NSHarrowen::CRect CModuleList::GetModuleBounds() const
{
    NSHarrowen::CRect bounds;
    bool first = true;
    for (const CModuleInterface* module : modules_) {
        const NSHarrowen::CRect rect = module->GetGridRect();
        if (first) {
            bounds = rect;
            first = false;
        } else {
            bounds.Union(rect);
        }
    }
    return bounds;
}

NSHarrowen::CPoint CModuleList::GetModuleExtent() const
{
    const NSHarrowen::CRect bounds = GetModuleBounds();
    return NSHarrowen::CPoint(bounds.Width(), bounds.Height());
}
