#pragma once

#include "patch/Tree.h"

#include <cstdint>
#include <vector>

// One net of a cable tree laid out flat in pre-order from its top node, for
// the edits that cut a net and join what is left.
class CNetGraph {
public:
    // A jack next to a group of removed jacks, with the colour of the cable
    // that joined them.
    struct Neighbour {
        int index;
        uint8_t colour;
    };
    // Removed jacks that hang together: the one nearest the net's top, and
    // the jacks around them, the parent side first.
    struct Region {
        int top;
        std::vector<Neighbour> neighbours;
    };

    CNetGraph(const CTree& tree, CTreeIterator anyNode);

    int Size() const { return static_cast<int>(jacks_.size()); }
    const JackAddress& Jack(int i) const { return jacks_[i]; }
    // -1 for the top node.
    int Parent(int i) const { return parents_[i]; }
    int IndexOf(const JackAddress& jack) const;
    std::vector<int> Children(int i) const;
    // The net's output (the first in pre-order), -1 when it has none.
    int OutputIndex() const;
    // Whether node i lies in the subtree of `root` (root included).
    bool InSubtree(int i, int root) const { return i >= root && i < ends_[root]; }
    // The cable from node i to its parent.
    CableEntry CableAbove(int i) const;

    std::vector<Region> RemovedRegions(const std::vector<bool>& removed) const;
    // Whether `node` stays joined to the neighbour once the region is gone.
    bool SideHolds(const Region& region, const Neighbour& neighbour, int node) const;

private:
    std::vector<JackAddress> jacks_;
    std::vector<int> parents_;
    std::vector<uint8_t> colours_;
    std::vector<int> ends_; // one past each subtree
};
