#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CCableTree;
class CEditPair;
class CModuleInterface;

// The document's selected modules, all of one voice area, in the order they
// were selected. It does not own them.
class CModuleSelection {
public:
    // A module of another area than the selection's starts a new selection.
    void Add(CModuleInterface& module);
    void Remove(CModuleInterface& module);
    void Clear();
    bool IsEmpty() const { return modules_.empty(); }
    size_t GetCount() const { return modules_.size(); }
    uint8_t GetAreaIndex() const { return area_; }
    bool Contains(uint8_t moduleIndex) const;
    const std::vector<CModuleInterface*>& GetModules() const { return modules_; }
    std::vector<uint8_t> GetModuleIndices() const;

    // Deletes the selected modules; undo recreates each with its name,
    // custom data and values, the last deleted first.
    void MakeDeleteMolecules(CEditPair& pair) const;
    // The clip of the selection: a copy of the area's tree without the
    // modules that are not selected.
    std::unique_ptr<CCableTree> CopyCableTree(const CCableTree& areaTree) const;

private:
    std::vector<CModuleInterface*> modules_;
    uint8_t area_ = 0;
};
