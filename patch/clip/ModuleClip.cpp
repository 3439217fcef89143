#include "patch/clip/ModuleClip.h"

#include "patch/PatchError.h"
#include "patch/area/CableTree.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/edit/EditPair.h"
#include "patch/module/ModuleInterface.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

namespace {

constexpr int32_t kMaxGrid = 127;
constexpr uint8_t kNoOutputColour = 6;
// A renumbered module's jacks carry this bit until all are renumbered, so
// an old index equal to another module's new one is never confused.
constexpr uint8_t kRenumbering = 0x80;

// Halves away from zero.
int32_t RoundToGrid(int32_t pixels, int32_t unit)
{
    return static_cast<int32_t>(std::lround(static_cast<double>(pixels) / unit));
}

bool Overlap(int32_t top1, int32_t height1, int32_t top2, int32_t height2)
{
    return top1 < top2 + height2 && top2 < top1 + height1;
}

// The number a target name gives after the prefix: its rest as a decimal
// number, 0 when empty or not a number, kept as a byte.
uint8_t NumberAfter(const std::string& name, const std::string& prefix)
{
    const std::string rest = name.substr(prefix.size());
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    uint32_t value = 0;
    for (const char c : rest) {
        value = (value * 10 + static_cast<uint32_t>(c - '0')) & 0xFFFF;
    }
    return static_cast<uint8_t>(value);
}

// The first number after which no name of the list that begins with the
// stem goes on: walking the numbers in use from the smallest, the count
// grows while each is the count plus one.
uint32_t FirstFreeNumber(const std::string& stem, const std::vector<std::string>& taken)
{
    std::vector<uint8_t> numbers;
    for (const std::string& name : taken) {
        if (name.rfind(stem, 0) == 0) {
            numbers.push_back(NumberAfter(name, stem));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    uint32_t count = 0;
    for (const uint8_t number : numbers) {
        if (number == count + 1) {
            ++count;
        } else if (number > count + 1) {
            break;
        }
    }
    return count + 1;
}

// The name followed by a number that makes it unique among the taken names,
// within the longest name a module has: where name and number are too long
// together the name is shortened, never the number.
std::string UniqueName(const std::string& name, const std::vector<std::string>& taken)
{
    std::string stem = name.substr(0, CModuleClip::kMaxNameLength);
    uint32_t number = FirstFreeNumber(stem, taken);
    while (true) {
        const std::string digits = std::to_string(number);
        if (stem.size() + digits.size() > CModuleClip::kMaxNameLength) {
            stem.resize(CModuleClip::kMaxNameLength - digits.size());
            number = FirstFreeNumber(stem, taken);
            continue;
        }
        const std::string unique = stem + digits;
        if (std::find(taken.begin(), taken.end(), unique) == taken.end()) {
            return unique;
        }
        ++number;
    }
}

} // namespace

CModuleClip::CModuleClip(std::unique_ptr<CCableTree> tree) : tree_(std::move(tree)) { }

CModuleClip::~CModuleClip() = default;

std::unique_ptr<CModuleClip> CModuleClip::FromSelection(const CModuleSelection& selection, const CCableTree& area)
{
    return std::make_unique<CModuleClip>(selection.CopyCableTree(area));
}

bool CModuleClip::IsEmpty() const
{
    return tree_->GetModules().IsEmpty();
}

void CModuleClip::RemoveFirstOfType(uint8_t type)
{
    const CModuleList& modules = tree_->GetModules();
    const auto found = std::find_if(modules.begin(), modules.end(),
                                    [type](const CModuleInterface* m) { return m->GetTypeId() == type; });
    if (found != modules.end()) {
        tree_->GetModules().Remove((*found)->GetModuleIndex());
    }
}

void CModuleClip::CopyCablesFrom(const CCableTree& target)
{
    const CModuleList& held = target.GetModules();
    for (const uint8_t type : kSingleTypes) {
        if (std::any_of(held.begin(), held.end(),
                        [type](const CModuleInterface* m) { return m->GetTypeId() == type; })) {
            RemoveFirstOfType(type);
        }
    }
    if (target.GetAreaIndex() == 1) {
        RemoveFirstOfType(kPolyAreaIn);
    }
    if (tree_->GetModules().GetCount() + held.GetCount() >= 127) {
        tree_->RemoveAll();
    }
}

void CModuleClip::CopyModulesFrom(const CCableTree& target)
{
    tree_->SetAreaIndex(target.GetAreaIndex());
    Prune();
    Renumber(target);
}

void CModuleClip::FitTo(const CCableTree& target, uint16_t freeMemory)
{
    CopyCablesFrom(target);
    CopyModulesFrom(target);
    if (tree_->ComputeMemorySize() > freeMemory) {
        tree_->RemoveAll();
    }
}

void CModuleClip::Prune()
{
    const CModuleList& modules = tree_->GetModules();
    const auto outside = [&](const CTreeIterator& it) { return !modules.Has(it.Value().address.module); };
    // A jack of a module outside the clip that joins two of its jacks: its
    // children hang below its parent, so they stay joined.
    for (CTreeIterator it = tree_->Begin(); it != tree_->End();) {
        if (!it.IsTopNode() && outside(it)) {
            it = tree_->Erase(it);
        } else {
            it.Advance();
        }
    }
    // A net whose top is outside the clip loses its output: the first child
    // takes the net over, and every cable of it shows the colour of a net
    // without output. A top left without cables goes.
    for (CTreeIterator it = tree_->Begin(); it != tree_->End();) {
        if (outside(it) || it.IsLeaf()) {
            if (outside(it)) {
                tree_->SetSubtreeColour(it, kNoOutputColour);
            }
            it = tree_->EraseKeepingNet(it);
        } else {
            it.MoveToNextSibling();
        }
    }
}

void CModuleClip::Renumber(const CCableTree& target)
{
    uint32_t n = 0;
    for (CModuleInterface* module : tree_->GetModules()) {
        const uint8_t index = target.GetModules().NextFreeModuleIndex(++n);
        tree_->RenumberModule(module->GetModuleIndex(), static_cast<uint8_t>(index | kRenumbering));
        module->SetModuleIndex(index);
    }
    for (const CModuleInterface* module : tree_->GetModules()) {
        tree_->RenumberModule(static_cast<uint8_t>(module->GetModuleIndex() | kRenumbering), module->GetModuleIndex());
    }
}

void CModuleClip::MakeNamesUnique(const CCableTree& target)
{
    // The names already given to clip modules count as taken too.
    std::vector<std::string> taken;
    for (const CModuleInterface* module : target.GetModules()) {
        taken.push_back(module->GetName());
    }
    for (CModuleInterface* module : tree_->GetModules()) {
        const std::string unique = UniqueName(module->GetName(), taken);
        module->SetName(unique);
        taken.push_back(unique);
    }
}

bool CModuleClip::PrepareDrop(NSHarrowen::CPoint offset)
{
    const CModuleList& modules = tree_->GetModules();
    if (modules.IsEmpty()) {
        return true;
    }
    const NSHarrowen::CRect bounds = modules.GetModuleBounds();
    const int32_t columns = std::max(RoundToGrid(offset.x, CModuleInterface::kColumnWidth), -int32_t(bounds.left));
    const int32_t rows = std::max(RoundToGrid(offset.y, CModuleInterface::kRowHeight), -int32_t(bounds.top));
    for (const CModuleInterface* module : modules) {
        if (module->GetColumn() + columns > kMaxGrid || module->GetRow() + rows > kMaxGrid) {
            return false;
        }
    }
    for (CModuleInterface* module : modules) {
        module->SetGridPosition(static_cast<uint8_t>(module->GetColumn() + columns),
                                static_cast<uint8_t>(module->GetRow() + rows));
    }
    return true;
}

bool CModuleClip::MakeRoomMolecules(const CCableTree& target, CEditPair& pair, const std::vector<uint8_t>& moving) const
{
    struct Move {
        const CModuleInterface* module;
        int32_t row;
    };
    std::vector<Move> moves;
    const CModuleList& dropped = tree_->GetModules();
    const auto firstDroppedBelow = [&](uint8_t column, int32_t row, int32_t height) -> const CModuleInterface* {
        for (const CModuleInterface* d : dropped) {
            if (d->GetColumn() == column && Overlap(row, height, d->GetRow(), d->GetHeight())) {
                return d;
            }
        }
        return nullptr;
    };
    std::vector<const CModuleInterface*> sorted;
    std::copy_if(target.GetModules().begin(), target.GetModules().end(), std::back_inserter(sorted),
                 [&](const CModuleInterface* m) {
                     return std::find(moving.begin(), moving.end(), m->GetModuleIndex()) == moving.end();
                 });
    std::stable_sort(sorted.begin(), sorted.end(), [](const CModuleInterface* a, const CModuleInterface* b) {
        return a->GetColumn() != b->GetColumn() ? a->GetColumn() < b->GetColumn() : a->GetRow() < b->GetRow();
    });
    bool pushing = false;
    uint8_t column = 0;
    int32_t floor = 0;
    for (const CModuleInterface* module : sorted) {
        if (module->GetColumn() != column) {
            column = module->GetColumn();
            pushing = false;
        }
        int32_t row = module->GetRow();
        if (pushing) {
            row = std::max(row, floor);
        }
        // Below every dropped module it would meet.
        while (const CModuleInterface* d = firstDroppedBelow(column, row, module->GetHeight())) {
            row = d->GetRow() + d->GetHeight();
            pushing = true;
        }
        if (row != module->GetRow()) {
            if (row > kMaxGrid) {
                return false;
            }
            moves.push_back({module, row});
        }
        floor = row + module->GetHeight();
    }
    const uint8_t area = target.GetAreaIndex();
    for (const Move& move : moves) {
        const CModuleInterface& m = *move.module;
        pair.Add(
            std::make_unique<CMModuleMove>(area, m.GetModuleIndex(), m.GetColumn(), static_cast<uint8_t>(move.row)),
            std::make_unique<CMModuleMove>(area, m.GetModuleIndex(), m.GetColumn(), m.GetRow()));
    }
    return true;
}

void CModuleClip::MakePasteMolecules(const CCableTree& target, CEditPair& pair) const
{
    const std::vector<CableEntry> cables = tree_->GetCables();
    if (target.GetCableCount() + cables.size() > CCableTree::kMaxCables) {
        throw XPToMany(PatchErrorCode::kTooManyCables);
    }
    const uint8_t area = target.GetAreaIndex();
    const CModuleList& modules = tree_->GetModules();
    for (const CModuleInterface* module : modules) {
        pair.Add(std::make_unique<CMModuleNew>(area, module->GetModuleIndex(), module->GetTypeId(), module->GetColumn(),
                                               module->GetRow(), module->GetName()),
                 std::make_unique<CMModuleDelete>(area, module->GetModuleIndex()));
    }
    auto cableDump = std::make_unique<CMCableDump>(area);
    tree_->FillCableDump(*cableDump);
    pair.AddDo(std::move(cableDump));
    for (const CableEntry& cable : cables) {
        pair.AddUndo(std::make_unique<CMCableDelete>(area, cable.from, cable.to, 1));
    }
    auto values = std::make_unique<CMModuleParamDump>(area);
    auto custom = std::make_unique<CMModuleCustomDataDump>(area);
    auto names = std::make_unique<CMModuleNameDump>(area);
    for (const CModuleInterface* module : modules) {
        const uint8_t index = module->GetModuleIndex();
        bool added = values->AddModule(index, module->GetTypeId());
        for (uint8_t param = 0; param < module->GetParamCount(); ++param) {
            added = added && values->SetParameter(index, module->GetTypeId(), param, module->GetParamValue(param));
        }
        if (module->GetCustomValueCount() != 0) {
            added = added && custom->SetData(index, module->GetCustomData());
        }
        if (!added || !names->AddName(index, module->GetName())) {
            throw XPToMany(PatchErrorCode::kTooManyModules);
        }
    }
    pair.AddDo(std::move(values));
    pair.AddDo(std::move(custom));
    pair.AddDo(std::move(names));
}

std::unique_ptr<CEditPair> CModuleClip::MakeDropEdit(const CCableTree& target, NSHarrowen::CPoint offset,
                                                     bool uniqueNames)
{
    if (IsEmpty()) {
        return nullptr;
    }
    if (uniqueNames) {
        MakeNamesUnique(target);
    }
    if (!PrepareDrop(offset)) {
        return nullptr;
    }
    auto pair = std::make_unique<CEditPair>();
    if (!MakeRoomMolecules(target, *pair)) {
        return nullptr;
    }
    MakePasteMolecules(target, *pair);
    return pair;
}

void MakeMoveMolecules(uint8_t area, const std::vector<CModuleInterface*>& modules, int32_t columns, int32_t rows,
                       CEditPair& pair)
{
    for (const CModuleInterface* module : modules) {
        const uint8_t index = module->GetModuleIndex();
        pair.Add(std::make_unique<CMModuleMove>(area, index, module->GetColumn(), module->GetRow()),
                 std::make_unique<CMModuleMove>(area, index, static_cast<uint8_t>(module->GetColumn() - columns),
                                                static_cast<uint8_t>(module->GetRow() - rows)));
    }
}
