#include "patch/area/CableTree.h"

#include "patch/PatchError.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/NetGraph.h"
#include "patch/edit/EditPair.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/molecules/CableMolecules.h"

#include <algorithm>

CCableTree::CCableTree(bool owner, uint8_t area) : modules_(owner), area_(area) { }

CCableTree::~CCableTree()
{
    // The nodes go first: they name the modules.
    Clear();
}

void CCableTree::SetAreaIndex(uint8_t area)
{
    area_ = area;
    modules_.SetAreaIndex(area);
}

void CCableTree::ClearPendingFlags()
{
    modulesPending_ = false;
    cablesPending_ = false;
    customDataPending_ = false;
}

std::unique_ptr<CCableTree> CCableTree::CopyForModules() const
{
    auto copy = std::make_unique<CCableTree>(true, 1);
    for (const CModuleInterface* module : modules_)
        copy->modules_.Append(module->Clone());
    copy->CopyFrom(*this);
    copy->SetAreaIndex(area_);
    return copy;
}

void CCableTree::RemoveAll()
{
    Clear();
    nodes_.clear();
    cableCount_ = 0;
    Kept();
    modules_.RemoveAll();
}

void CCableTree::Refresh() const
{
    if (!stale_)
        return;
    nodes_.clear();
    cableCount_ = 0;
    for (CTreeIterator it = Begin(); it != End(); it.Advance()) {
        nodes_[Key(it.Value().address)] = it.GetNode();
        if (!it.IsTopNode())
            ++cableCount_;
    }
    stale_ = false;
}

uint32_t CCableTree::ComputeMemorySize() const
{
    constexpr size_t kDynamicMemoryWord = 9;
    uint32_t size = static_cast<uint32_t>(GetCableCount()) * CDspLoadTable::kCableMemory;
    for (const CModuleInterface* module : modules_)
        size += module->GetLoadWords()[kDynamicMemoryWord];
    return size;
}

void CCableTree::CheckJack(const JackAddress& jack) const
{
    const CModuleInterface* module = modules_.Find(jack.module);
    if (!module)
        throw XPDontExist(PatchErrorCode::kModuleDoesNotExist);
    if (jack.jack >= module->GetJackCount(jack.IsOutput()))
        throw XPDontExist(PatchErrorCode::kConnectorDoesNotExist);
}

CTreeIterator CCableTree::FindNode(const JackAddress& jack) const
{
    Refresh();
    const auto it = nodes_.find(Key(jack));
    return it == nodes_.end() ? End() : CTreeIterator(it->second);
}

bool CCableTree::IsConnected(const JackAddress& jack) const
{
    return FindNode(jack) != End();
}

bool CCableTree::HasNoChildCables(const JackAddress& jack) const
{
    const CTreeIterator node = FindNode(jack);
    return node != End() && node.IsLeaf();
}

JackAddress CCableTree::FindJack(const JackAddress& jack) const
{
    const CTreeIterator node = FindNode(jack);
    if (node == End())
        return jack;
    const CTreeIterator top = node.TopNode();
    const CTreeIterator stop = GetNextAfter(top);
    for (CTreeIterator it = top; it != stop; it.Advance())
        if (it.Value().address.IsOutput())
            return it.Value().address;
    return top.Value().address;
}

bool CCableTree::IsNetOutput(const JackAddress& jack) const
{
    return jack.IsOutput() && FindJack(jack) == jack;
}

size_t CCableTree::GetCableCount() const
{
    Refresh();
    return cableCount_;
}

uint8_t CCableTree::GetNetColour(const JackAddress& jack) const
{
    if (jack.IsOutput()) {
        const CModuleInterface* module = modules_.Find(jack.module);
        return module ? CableColourOfSignalKind(module->GetJackSignalKind(jack)) : kNoOutputColour;
    }
    const CTreeIterator node = FindNode(jack);
    return node == End() ? kNoOutputColour : static_cast<uint8_t>(node.Value().link);
}

void CCableTree::CheckConnectable(const JackAddress& source, const JackAddress& destination) const
{
    CheckJack(source);
    CheckJack(destination);
    // Joining two jacks of one net would close a loop, which no walk of
    // the net would leave again.
    if (source == destination)
        throw XPDoubleAssignment(PatchErrorCode::kJacksAlreadyConnected);
    const CTreeIterator a = FindNode(source);
    const CTreeIterator b = FindNode(destination);
    if (a != End() && b != End() && a.TopNode() == b.TopNode())
        throw XPDoubleAssignment(PatchErrorCode::kJacksAlreadyConnected);
    if (GetCableCount() >= kMaxCables)
        throw XPToMany(PatchErrorCode::kTooManyCables);
}

void CCableTree::Connect(const CableEntry& cable)
{
    CheckConnectable(cable.from, cable.to);
    auto nodeFor = [this, &cable](const JackAddress& jack) {
        CTreeIterator node = FindNode(jack);
        if (node == End()) {
            node = AppendNew(End(), JackNodeValue{jack, cable.colour});
            nodes_[Key(jack)] = node.GetNode();
            Kept();
            return node;
        }
        // A top node's word is no cable's; it mirrors the last one joined.
        if (node.IsTopNode())
            node.Value().link = cable.colour;
        return node;
    };
    CTreeIterator source = nodeFor(cable.from);
    CTreeIterator destination = nodeFor(cable.to);
    CTreeIterator child = destination;
    CTreeIterator parent = source;
    if (!HasOutput(cable.from))
        std::swap(child, parent);
    Attach(child, parent);
    child.Value().link = cable.colour;
    ++cableCount_;
    Kept();
}

void CCableTree::Disconnect(const CableEntry& cable)
{
    CheckJack(cable.from);
    CheckJack(cable.to);
    const CTreeIterator a = FindNode(cable.from);
    const CTreeIterator b = FindNode(cable.to);
    if (a == End() || b == End())
        throw XPDontExist(PatchErrorCode::kCableDoesNotExist);
    CTreeIterator child = a;
    CTreeIterator parent = b;
    if (b.Parent() == a)
        std::swap(child, parent);
    else if (a.Parent() != b)
        throw XPDontExist(PatchErrorCode::kCableDoesNotExist);
    Detach(child);
    auto drop = [this](CTreeIterator node) {
        nodes_.erase(Key(node.Value().address));
        Erase(node);
    };
    if (child.IsLeaf())
        drop(child);
    if (parent.IsTopNode() && parent.IsLeaf())
        drop(parent);
    --cableCount_;
    Kept();
}

void CCableTree::Recolor(const CableEntry& cable)
{
    CTreeIterator a = FindNode(cable.from);
    CTreeIterator b = FindNode(cable.to);
    if (a == End() || b == End())
        return;
    if (b.Parent() == a)
        std::swap(a, b);
    else if (a.Parent() != b)
        return;
    a.Value().link = cable.colour;
    if (b.IsTopNode())
        b.Value().link = cable.colour;
}

std::vector<CableEntry> CCableTree::GetCables() const
{
    std::vector<CableEntry> cables;
    for (CCableIterator it(*this); !it.AtEnd(); it.Next())
        cables.push_back(it.GetCable());
    return cables;
}

std::vector<CableEntry> CCableTree::GetModuleCables(uint8_t module) const
{
    std::vector<CableEntry> cables;
    for (CModuleCableIterator it(*this, module); !it.AtEnd(); it.Next())
        cables.push_back(it.GetCable());
    return cables;
}

void CCableTree::FillCableDump(CMCableDump& dump) const
{
    for (CCableIterator it(*this); !it.AtEnd(); it.Next()) {
        const CableEntry cable = it.GetCable();
        if (!dump.AddCable(cable.colour, cable.from, cable.to))
            throw XPToMany(PatchErrorCode::kTooManyCables);
    }
}

// --- edit builders

void CCableTree::AddDelete(CEditPair& pair, const CableEntry& cable, uint32_t removal) const
{
    pair.Add(std::make_unique<CMCableDelete>(area_, cable.from, cable.to, removal),
             std::make_unique<CMCableConnect>(area_, cable.from, cable.to, cable.colour, removal));
}

void CCableTree::AddConnect(CEditPair& pair, const CableEntry& cable, uint32_t removal) const
{
    pair.Add(std::make_unique<CMCableConnect>(area_, cable.from, cable.to, cable.colour, removal),
             std::make_unique<CMCableDelete>(area_, cable.from, cable.to, removal));
}

void CCableTree::AddRangeRecolor(CEditPair& pair, CTreeRange range, uint8_t colour) const
{
    for (; !range.IsEmpty(); range.Next())
        AddRecolor(pair, range.GetEdge(), colour);
}

void CCableTree::AddNetRecolor(CEditPair& pair, const JackAddress& jack, uint8_t colour) const
{
    AddRangeRecolor(pair, GetNetRange(JackNodeValue{jack, 0}), colour);
}

void CCableTree::MakeConnectEdit(CEditPair& pair, const JackAddress& source, const JackAddress& destination) const
{
    CheckConnectable(source, destination);
    uint8_t colour = kNoOutputColour;
    if (HasOutput(source)) {
        colour = GetNetColour(source);
        AddNetRecolor(pair, destination, colour);
    } else if (HasOutput(destination)) {
        colour = GetNetColour(destination);
        AddNetRecolor(pair, source, colour);
    }
    AddConnect(pair, CableEntry{source, destination, colour}, 0);
}

void CCableTree::MakeDisconnectEdit(CEditPair& pair, const JackAddress& jack) const
{
    const CTreeIterator node = FindNode(jack);
    if (node == End())
        return;
    const CNetGraph net(*this, node);
    std::vector<bool> removed(net.Size(), false);
    removed[net.IndexOf(jack)] = true;
    AddRemoval(pair, net, removed, 0);
}

void CCableTree::MakeMoveCableEndEdit(CEditPair& pair, const JackAddress& oldJack, const JackAddress& newJack) const
{
    const CTreeIterator node = FindNode(oldJack);
    if (node == End() || oldJack == newJack)
        return;
    CheckJack(newJack);
    const CTreeIterator target = FindNode(newJack);
    if (target != End() && target.TopNode() == node.TopNode())
        return; // the cable would join its own net

    bool recolour = true;
    uint8_t colour = kNoOutputColour;
    if (newJack.IsOutput())
        colour = GetNetColour(newJack);
    else if (HasOutput(newJack))
        colour = GetNetColour(FindJack(newJack));
    else
        recolour = IsNetOutput(oldJack);
    if (recolour)
        AddRangeRecolor(pair, GetBranchRange(JackNodeValue{oldJack, 0}), colour);

    auto move = [&](const JackAddress& other, uint8_t ownColour, bool otherIsParent) {
        const uint8_t moved = recolour ? colour : ownColour;
        if (otherIsParent) {
            AddDelete(pair, CableEntry{oldJack, other, ownColour}, 0);
            AddConnect(pair, CableEntry{newJack, other, moved}, 0);
        } else {
            AddDelete(pair, CableEntry{other, oldJack, ownColour}, 0);
            AddConnect(pair, CableEntry{other, newJack, moved}, 0);
        }
    };
    if (!node.IsTopNode())
        move(node.Parent().Value().address, static_cast<uint8_t>(node.Value().link), true);
    for (const auto& child : node.GetNode()->children)
        move(child->value.address, static_cast<uint8_t>(child->value.link), false);
}

void CCableTree::MakeBreakEdit(CEditPair& pair, const JackAddress& jack) const
{
    const CTreeIterator node = FindNode(jack);
    if (node == End())
        return;
    const CNetGraph net(*this, node);
    const int at = net.IndexOf(jack);
    const int output = net.OutputIndex();
    // The pieces the cut leaves, each as the node below the cut.
    std::vector<int> cutBelow;
    if (net.Parent(at) >= 0)
        cutBelow.push_back(at);
    else
        cutBelow = net.Children(at);
    for (const int below : cutBelow)
        AddDelete(pair, net.CableAbove(below), 0);
    if (output < 0)
        return;
    // Every piece without the output goes back to colour 6.
    if (net.Parent(at) >= 0) {
        const bool outputBelow = net.InSubtree(output, at);
        for (int i = 0; i < net.Size(); ++i) {
            const int p = net.Parent(i);
            if (p < 0 || i == at)
                continue;
            if (net.InSubtree(i, at) != outputBelow)
                AddRecolor(pair, net.CableAbove(i), kNoOutputColour);
        }
        return;
    }
    for (const int child : cutBelow) {
        if (net.InSubtree(output, child))
            continue;
        for (int i = child + 1; i < net.Size() && net.InSubtree(i, child); ++i)
            AddRecolor(pair, net.CableAbove(i), kNoOutputColour);
    }
}

void CCableTree::MakeDeleteEdit(CEditPair& pair, const JackAddress& jack) const
{
    for (CTreeRange range = GetBranchRange(JackNodeValue{jack, 0}); !range.IsEmpty(); range.Next())
        AddDelete(pair, range.GetEdge(), 0);
}

void CCableTree::MakeRecolorEdit(CEditPair& pair, const JackAddress& jack, uint8_t colour) const
{
    AddRangeRecolor(pair, GetBranchRange(JackNodeValue{jack, 0}), colour);
}

void CCableTree::MakeDeleteModulesCables(CEditPair& pair, const std::vector<uint8_t>& modules) const
{
    auto selected = [&modules](const JackAddress& jack) {
        return std::find(modules.begin(), modules.end(), jack.module) != modules.end();
    };
    for (CTreeIterator top = Begin(); top != End(); top.MoveToNextSibling()) {
        const CNetGraph net(*this, top);
        std::vector<bool> removed(net.Size(), false);
        bool any = false;
        for (int i = 0; i < net.Size(); ++i) {
            removed[i] = selected(net.Jack(i));
            any = any || removed[i];
        }
        if (any)
            AddRemoval(pair, net, removed, 1);
    }
}

void CCableTree::AddRecolor(CEditPair& pair, const CableEntry& cable, uint8_t colour) const
{
    pair.Add(std::make_unique<CMCableRecolor>(area_, cable.from, cable.to, colour),
             std::make_unique<CMCableRecolor>(area_, cable.from, cable.to, cable.colour));
}

void CCableTree::AddRemoval(CEditPair& pair, const CNetGraph& net, const std::vector<bool>& removed,
                            uint32_t removal) const
{
    const int output = net.OutputIndex();
    const bool outputRemoved = output >= 0 && removed[output];
    if (outputRemoved)
        for (int i = 0; i < net.Size(); ++i)
            if (net.Parent(i) >= 0)
                AddRecolor(pair, net.CableAbove(i), kNoOutputColour);

    for (int i = 0; i < net.Size(); ++i) {
        const int p = net.Parent(i);
        if (p >= 0 && (removed[i] || removed[p]))
            AddDelete(pair, net.CableAbove(i), removal);
    }

    // Each group of removed jacks that hang together leaves neighbours
    // behind; they are joined to one of them (the pivot) so that the rest
    // of the net stays one net.
    for (const CNetGraph::Region& region : net.RemovedRegions(removed)) {
        const std::vector<CNetGraph::Neighbour>& around = region.neighbours;
        if (around.size() < 2)
            continue;
        size_t pivot = 0; // the parent side when there is one, else the first child
        if (output >= 0 && !outputRemoved)
            for (size_t k = 0; k < around.size(); ++k)
                if (net.SideHolds(region, around[k], output))
                    pivot = k;
        for (size_t k = 0; k < around.size(); ++k) {
            if (k == pivot)
                continue;
            const uint8_t colour = outputRemoved ? kNoOutputColour : around[k].colour;
            AddConnect(pair, CableEntry{net.Jack(around[k].index), net.Jack(around[pivot].index), colour}, removal);
        }
    }
}

// --- iterators

CCableIterator::CCableIterator(const CTree& tree) : current_(tree.Begin()), end_(tree.End())
{
    SkipTopNodes();
}

CableEntry CCableIterator::GetCable() const
{
    const CTreeNode* node = current_.GetNode();
    return CableEntry{node->value.address, node->parent->value.address, static_cast<uint8_t>(node->value.link)};
}

void CCableIterator::Next()
{
    current_.Advance();
    SkipTopNodes();
}

void CCableIterator::SkipTopNodes()
{
    while (current_ != end_ && current_.IsTopNode())
        current_.Advance();
}

CModuleCableIterator::CModuleCableIterator(const CTree& tree, uint8_t module) : cables_(tree), module_(module)
{
    SkipOthers();
}

void CModuleCableIterator::Next()
{
    cables_.Next();
    SkipOthers();
}

void CModuleCableIterator::SkipOthers()
{
    while (!cables_.AtEnd()) {
        const CableEntry cable = cables_.GetCable();
        if (cable.from.module == module_ || cable.to.module == module_)
            return;
        cables_.Next();
    }
}
