#include "patch/area/NetGraph.h"

#include <map>

CNetGraph::CNetGraph(const CTree& tree, CTreeIterator anyNode)
{
    const CTreeIterator top = anyNode.TopNode();
    const CTreeIterator stop = tree.GetNextAfter(top);
    std::map<const CTreeNode*, int> index;
    for (CTreeIterator it = top; it != stop; it.Advance()) {
        const CTreeNode* node = it.GetNode();
        const auto parent = index.find(node->parent);
        index[node] = Size();
        jacks_.push_back(node->value.address);
        parents_.push_back(it == top || parent == index.end() ? -1 : parent->second);
        colours_.push_back(static_cast<uint8_t>(node->value.link));
    }
    ends_.assign(jacks_.size(), Size());
    // A subtree ends where the next node hangs at its level or above.
    std::vector<int> open;
    for (int i = 0; i < Size(); ++i) {
        while (!open.empty() && open.back() != parents_[i]) {
            ends_[open.back()] = i;
            open.pop_back();
        }
        open.push_back(i);
    }
}

int CNetGraph::IndexOf(const JackAddress& jack) const
{
    for (int i = 0; i < Size(); ++i)
        if (jacks_[i] == jack)
            return i;
    return -1;
}

std::vector<int> CNetGraph::Children(int i) const
{
    std::vector<int> children;
    for (int j = i + 1; j < ends_[i]; ++j)
        if (parents_[j] == i)
            children.push_back(j);
    return children;
}

int CNetGraph::OutputIndex() const
{
    for (int i = 0; i < Size(); ++i)
        if (jacks_[i].IsOutput())
            return i;
    return -1;
}

CableEntry CNetGraph::CableAbove(int i) const
{
    return CableEntry{jacks_[i], jacks_[parents_[i]], colours_[i]};
}

std::vector<CNetGraph::Region> CNetGraph::RemovedRegions(const std::vector<bool>& removed) const
{
    std::vector<Region> regions;
    for (int i = 0; i < Size(); ++i) {
        if (!removed[i] || (parents_[i] >= 0 && removed[parents_[i]]))
            continue;
        Region region{i, {}};
        if (parents_[i] >= 0)
            region.neighbours.push_back({parents_[i], colours_[i]});
        // The region is every removed node reached from its top through
        // removed nodes; pre-order keeps the children in order.
        std::vector<bool> inRegion(jacks_.size(), false);
        inRegion[i] = true;
        for (int j = i + 1; j < ends_[i]; ++j) {
            if (!inRegion[parents_[j]])
                continue;
            if (removed[j])
                inRegion[j] = true;
            else
                region.neighbours.push_back({j, colours_[j]});
        }
        regions.push_back(std::move(region));
    }
    return regions;
}

bool CNetGraph::SideHolds(const Region& region, const Neighbour& neighbour, int node) const
{
    if (neighbour.index == parents_[region.top])
        return !InSubtree(node, region.top);
    return InSubtree(node, neighbour.index);
}
