#pragma once

#include "synth/protocol/JackAddress.h"

#include <cstdint>
#include <memory>
#include <vector>

// The forest in which a voice area keeps its cable nets. Every net hangs
// from a hidden root; each node holds a jack, and each node below a top
// node is joined to its parent by one cable, whose colour the node keeps in
// its link word. So a net of n jacks has n - 1 cables.

// A jack with a word beside it; equal when the jack addresses are.
struct JackNodeValue {
    JackAddress address;
    uint32_t link = 0;

    friend bool operator==(const JackNodeValue& a, const JackNodeValue& b) { return a.address == b.address; }
};

// One cable: from a jack to another, with its colour index.
struct CableEntry {
    JackAddress from;
    JackAddress to;
    uint8_t colour = 0;
};

struct CTreeNode {
    JackNodeValue value;
    CTreeNode* parent = nullptr; // null only for the root
    std::vector<std::unique_ptr<CTreeNode>> children;

    size_t GetChildCount() const { return children.size(); }
};

// A position in a tree: a node, or End (the root).
class CTreeIterator {
public:
    CTreeIterator() = default;
    explicit CTreeIterator(CTreeNode* node) : node_(node) { }

    void MoveToParent();
    void MoveToFirstChild();  // stays when there is none
    void MoveToNextSibling(); // to the parent after the last sibling
    void MoveToTopNode();     // climbs until the node is a child of the root
    void Advance();           // pre-order

    CTreeIterator Parent() const;
    CTreeIterator FirstChild() const;
    CTreeIterator NextSibling() const;
    CTreeIterator TopNode() const;
    CTreeIterator Next() const;

    bool Equal(const CTreeIterator& other) const { return node_ == other.node_; }
    bool NotEqual(const CTreeIterator& other) const { return node_ != other.node_; }
    friend bool operator==(const CTreeIterator& a, const CTreeIterator& b) { return a.node_ == b.node_; }

    bool IsTopNode() const;
    bool IsLeaf() const { return node_->children.empty(); }
    size_t GetChildCount() const { return node_->children.size(); }

    CTreeNode* GetNode() const { return node_; }
    const JackNodeValue& Value() const { return node_->value; }
    JackNodeValue& Value() { return node_->value; }

private:
    CTreeNode* node_ = nullptr;
};

// The cables of part of a net, in pre-order.
class CTreeRange {
public:
    CTreeRange(CTreeIterator current, CTreeIterator end) : current_(current), end_(end) { }

    bool IsEmpty() const { return current_ == end_; }
    // The cable from the current node to its parent, in its colour.
    CableEntry GetEdge() const;
    void Next() { current_.Advance(); }

private:
    CTreeIterator current_;
    CTreeIterator end_;
};

class CTree {
public:
    CTree();
    virtual ~CTree();
    CTree(const CTree&) = delete;
    CTree& operator=(const CTree&) = delete;

    CTreeIterator Begin() const;
    CTreeIterator End() const { return CTreeIterator(root_.get()); }
    bool IsEmpty() const { return root_->children.empty(); }

    CTreeIterator Find(const JackNodeValue& value) const;
    CTreeIterator FindBelow(CTreeIterator node, const JackNodeValue& value) const;
    CTreeIterator GetNextAfter(CTreeIterator node) const;
    CTreeIterator GetParentOf(CTreeIterator node) const { return node.Parent(); }

    // A new last child of `parent`. A jack already in the tree is refused
    // (End, nothing changes): one jack has one node.
    CTreeIterator AppendChild(CTreeIterator parent, const JackNodeValue& value);
    // Removes a node; its children take its place. Gives the position that
    // followed it in pre-order. End is not erased.
    CTreeIterator Erase(CTreeIterator position);
    // As Erase, but a top node with two or more children hands its net to
    // its first child, under which the other children move.
    CTreeIterator EraseKeepingNet(CTreeIterator position);
    void Clear();

    // Moves a node with its subtree out of its net as the last top node.
    void Detach(CTreeIterator position);
    // Re-roots the node's net at the node and hangs the whole net as the last
    // child of `parent`. A join within one net (the node itself included)
    // would make a cycle: it is refused with false and nothing changes.
    bool Attach(CTreeIterator node, CTreeIterator parent);
    // Re-roots the node's net at the node, at the place of the former top.
    void MakeTopNode(CTreeIterator position);

    void SetSubtreeColour(CTreeIterator node, uint32_t colour);
    bool RenumberModule(uint8_t oldModule, uint8_t newModule);
    // Replaces this tree's content with a copy of the other's.
    void CopyFrom(const CTree& other);

    // A jack that is in no net gives an empty range.
    CTreeRange GetNetRange(const JackNodeValue& value) const;
    CTreeRange GetBranchRange(const JackNodeValue& value) const;
    CTreeRange GetSubtreeRange(const JackNodeValue& value) const;

protected:
    // Called after every change of the nodes or their places, so that a
    // derived tree can drop what it keeps about them.
    virtual void Changed() { }
    // AppendChild for a value the caller knows is not in the tree.
    CTreeIterator AppendNew(CTreeIterator parent, const JackNodeValue& value);

private:
    bool InSameNet(CTreeIterator a, CTreeIterator b) const;
    // Reverses the path from the net's top node down to `node`; every cable
    // keeps its colour. Afterwards `node` is the top and still sits where
    // the former top sat among the root's children.
    void Reroot(CTreeIterator node);

    std::unique_ptr<CTreeNode> root_;
};
