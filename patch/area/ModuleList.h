#pragma once

#include "framework/base/Rect.h"
#include "patch/module/ModuleInterface.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The modules of a voice area (or of a clip) in the order they were added.
// An owning list deletes its modules when they leave it or when it dies.
class CModuleList {
public:
    explicit CModuleList(bool owner = true) : owner_(owner) { }
    ~CModuleList() { RemoveAll(); }
    CModuleList(const CModuleList&) = delete;
    CModuleList& operator=(const CModuleList&) = delete;

    size_t GetCount() const { return modules_.size(); }
    bool IsEmpty() const { return modules_.empty(); }

    // Null when no module has the index. Looked up by number; a module
    // renumbered while in the list is found too.
    CModuleInterface* Find(uint8_t index) const;
    bool Has(uint8_t index) const { return Find(index) != nullptr; }
    CModuleInterface* At(size_t position) const { return modules_.at(position); }
    auto begin() const { return modules_.begin(); }
    auto end() const { return modules_.end(); }

    // Takes the module (owned or not as the list is).
    void Append(std::unique_ptr<CModuleInterface> module);
    // Takes the module out without deleting it; null when absent.
    std::unique_ptr<CModuleInterface> Take(uint8_t index);
    // Removes the module, deleting it when the list owns it.
    void Remove(uint8_t index);
    void RemoveAll();

    // The n-th module index (n counted from 1) that no module holds.
    uint8_t NextFreeModuleIndex(uint32_t n) const;
    // Writes the area index into every module.
    void SetAreaIndex(uint8_t area);
    // The rectangle (grid units) enclosing all modules; empty for none.
    NSHarrowen::CRect GetModuleBounds() const;
    NSHarrowen::CPoint GetModuleExtent() const;

private:
    void Release(CModuleInterface* module) const;
    void Reindex() const;

    bool owner_;
    std::vector<CModuleInterface*> modules_;
    // The modules by number, as they were numbered when they came or when
    // a renumbered one was last looked for.
    mutable std::array<CModuleInterface*, 256> byIndex_{};
};
