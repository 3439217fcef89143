#pragma once

#include "framework/base/Point.h"

#include <cstdint>
#include <memory>
#include <vector>

class CCableTree;
class CEditPair;
class CModuleInterface;
class CModuleSelection;

// Copied modules with the cables among them, kept apart from any area
// while they are dragged or wait to be pasted. Fitting the clip to a target
// area changes the clip itself: modules the target cannot take go, the
// cables to modules outside the clip are pruned, and the modules get indices
// and names that are free in the target.
class CModuleClip {
public:
    // Module types an area holds at most once, in the order they are checked.
    static constexpr uint8_t kSingleTypes[] = {1, 63, 65, 2, 127};
    static constexpr uint8_t kPolyAreaIn = 127;
    static constexpr size_t kMaxNameLength = 15;

    explicit CModuleClip(std::unique_ptr<CCableTree> tree);
    ~CModuleClip();
    CModuleClip(const CModuleClip&) = delete;
    CModuleClip& operator=(const CModuleClip&) = delete;

    // The clip of a selection: a copy of its area's tree without the
    // modules that are not selected.
    static std::unique_ptr<CModuleClip> FromSelection(const CModuleSelection& selection, const CCableTree& area);

    CCableTree& GetTree() { return *tree_; }
    const CCableTree& GetTree() const { return *tree_; }
    bool IsEmpty() const;

    // Removes what the target cannot take: a second module of a type an
    // area holds once, "Poly Area In" in the poly area, and everything
    // when the target would reach 127 modules.
    void CopyCablesFrom(const CCableTree& target);
    // Takes the target's area index, prunes the cables to modules outside
    // the clip and gives the modules indices that are free in the target.
    void CopyModulesFrom(const CCableTree& target);
    // Both, then empties the clip when it needs more dynamic memory than
    // the target's document has free.
    void FitTo(const CCableTree& target, uint16_t freeMemory);

    // Each module's name followed by the next number that the target's
    // names do not use.
    void MakeNamesUnique(const CCableTree& target);
    // Moves the clip's modules by the drop offset (pixels, rounded to grid
    // units); false (nothing moved) when a module would land beyond column
    // or row 127.
    bool PrepareDrop(NSHarrowen::CPoint offset);
    // Moves the target's modules down out of the way of the dropped ones;
    // false (the pair untouched) when one would be pushed beyond row 127.
    // The target's modules listed as moving (the clip's own, in a move
    // within their area) stay where they are.
    bool MakeRoomMolecules(const CCableTree& target, CEditPair& pair, const std::vector<uint8_t>& moving = {}) const;
    // The messages that insert the clip; XPToMany "Too many cables" when the
    // target cannot take its cables.
    void MakePasteMolecules(const CCableTree& target, CEditPair& pair) const;

    // Names (when asked), drop place, room and insertion in one edit; null
    // when the drop is refused.
    std::unique_ptr<CEditPair> MakeDropEdit(const CCableTree& target, NSHarrowen::CPoint offset,
                                            bool uniqueNames = true);

private:
    void RemoveFirstOfType(uint8_t type);
    void Prune();
    void Renumber(const CCableTree& target);

    std::unique_ptr<CCableTree> tree_;
};

// Moves of modules already moved on the grid by (columns, rows): to their
// new place, and back.
void MakeMoveMolecules(uint8_t area, const std::vector<CModuleInterface*>& modules, int32_t columns, int32_t rows,
                       CEditPair& pair);
