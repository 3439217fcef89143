#include "patch/area/ModuleList.h"

#include <algorithm>

CModuleInterface* CModuleList::Find(uint8_t index) const
{
    const auto found = std::find_if(modules_.begin(), modules_.end(),
                                    [index](const CModuleInterface* m) { return m->GetModuleIndex() == index; });
    return found == modules_.end() ? nullptr : *found;
}

void CModuleList::Append(std::unique_ptr<CModuleInterface> module)
{
    modules_.push_back(module.get());
    module.release();
}

std::unique_ptr<CModuleInterface> CModuleList::Take(uint8_t index)
{
    const auto found = std::find_if(modules_.begin(), modules_.end(),
                                    [index](const CModuleInterface* m) { return m->GetModuleIndex() == index; });
    if (found == modules_.end()) {
        return nullptr;
    }
    std::unique_ptr<CModuleInterface> module(*found);
    modules_.erase(found);
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
