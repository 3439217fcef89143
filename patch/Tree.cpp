#include "patch/Tree.h"

#include <algorithm>

namespace {

size_t IndexInParent(const CTreeNode* node)
{
    const auto& siblings = node->parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& c) { return c.get() == node; });
    return static_cast<size_t>(it - siblings.begin());
}

std::unique_ptr<CTreeNode> TakeFromParent(CTreeNode* node)
{
    auto& siblings = node->parent->children;
    const auto at = siblings.begin() + static_cast<std::ptrdiff_t>(IndexInParent(node));
    std::unique_ptr<CTreeNode> owned = std::move(*at);
    siblings.erase(at);
    owned->parent = nullptr;
    return owned;
}

void AppendOwned(CTreeNode* parent, std::unique_ptr<CTreeNode> child)
{
    child->parent = parent;
    parent->children.push_back(std::move(child));
}

// The node that follows `node`'s subtree in pre-order; the root when none.
CTreeNode* NodeAfterSubtree(CTreeNode* node)
{
    while (node->parent) {
        const size_t index = IndexInParent(node);
        if (index + 1 < node->parent->children.size())
            return node->parent->children[index + 1].get();
        node = node->parent;
    }
    return node;
}

void CopyChildren(const CTreeNode& from, CTreeNode& to)
{
    for (const auto& child : from.children) {
        auto copy = std::make_unique<CTreeNode>();
        copy->value = child->value;
        CopyChildren(*child, *copy);
        AppendOwned(&to, std::move(copy));
    }
}

} // namespace

void CTreeIterator::MoveToParent()
{
    if (node_->parent)
        node_ = node_->parent;
}

void CTreeIterator::MoveToFirstChild()
{
    if (!node_->children.empty())
        node_ = node_->children.front().get();
}

void CTreeIterator::MoveToNextSibling()
{
    if (!node_->parent)
        return;
    const size_t index = IndexInParent(node_);
    const auto& siblings = node_->parent->children;
    node_ = index + 1 < siblings.size() ? siblings[index + 1].get() : node_->parent;
}

void CTreeIterator::MoveToTopNode()
{
    while (node_->parent && node_->parent->parent)
        node_ = node_->parent;
}

void CTreeIterator::Advance()
{
    node_ = node_->children.empty() ? NodeAfterSubtree(node_) : node_->children.front().get();
}

CTreeIterator CTreeIterator::Parent() const
{
    CTreeIterator copy(*this);
    copy.MoveToParent();
    return copy;
}

CTreeIterator CTreeIterator::FirstChild() const
{
    CTreeIterator copy(*this);
    copy.MoveToFirstChild();
    return copy;
}

CTreeIterator CTreeIterator::NextSibling() const
{
    CTreeIterator copy(*this);
    copy.MoveToNextSibling();
    return copy;
}

CTreeIterator CTreeIterator::TopNode() const
{
    CTreeIterator copy(*this);
    copy.MoveToTopNode();
    return copy;
}

CTreeIterator CTreeIterator::Next() const
{
    CTreeIterator copy(*this);
    copy.Advance();
    return copy;
}

bool CTreeIterator::IsTopNode() const
{
    return node_->parent && !node_->parent->parent;
}

CableEntry CTreeRange::GetEdge() const
{
    const CTreeNode* node = current_.GetNode();
    return CableEntry{node->value.address, node->parent->value.address, static_cast<uint8_t>(node->value.link)};
}

CTree::CTree() : root_(std::make_unique<CTreeNode>()) { }

CTree::~CTree()
{
    Clear();
}

CTreeIterator CTree::Begin() const
{
    return IsEmpty() ? End() : CTreeIterator(root_->children.front().get());
}

CTreeIterator CTree::Find(const JackNodeValue& value) const
{
    for (CTreeIterator it = Begin(); it != End(); it.Advance())
        if (it.Value() == value)
            return it;
    return End();
}

CTreeIterator CTree::FindBelow(CTreeIterator node, const JackNodeValue& value) const
{
    if (node == End())
        return Find(value);
    const CTreeIterator stop = GetNextAfter(node);
    for (CTreeIterator it = node; it != stop; it.Advance())
        if (it.Value() == value)
            return it;
    return End();
}

CTreeIterator CTree::GetNextAfter(CTreeIterator node) const
{
    return CTreeIterator(NodeAfterSubtree(node.GetNode()));
}

CTreeIterator CTree::AppendChild(CTreeIterator parent, const JackNodeValue& value)
{
    if (Find(value) != End())
        return End();
    return AppendNew(parent, value);
}

CTreeIterator CTree::AppendNew(CTreeIterator parent, const JackNodeValue& value)
{
    auto node = std::make_unique<CTreeNode>();
    node->value = value;
    CTreeNode* raw = node.get();
    AppendOwned(parent.GetNode(), std::move(node));
    Changed();
    return CTreeIterator(raw);
}

CTreeIterator CTree::Erase(CTreeIterator position)
{
    CTreeNode* node = position.GetNode();
    if (node == root_.get())
        return End();
    CTreeNode* parent = node->parent;
    const size_t index = IndexInParent(node);
    std::unique_ptr<CTreeNode> owned = TakeFromParent(node);
    auto& siblings = parent->children;
    const bool hadChildren = !owned->children.empty();
    for (auto& child : owned->children)
        child->parent = parent;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index),
                    std::make_move_iterator(owned->children.begin()), std::make_move_iterator(owned->children.end()));
    owned->children.clear();
    Changed();
    if (hadChildren || index < siblings.size())
        return CTreeIterator(siblings[index].get());
    return CTreeIterator(NodeAfterSubtree(parent));
}

CTreeIterator CTree::EraseKeepingNet(CTreeIterator position)
{
    CTreeNode* node = position.GetNode();
    if (node == root_.get())
        return End();
    if (position.IsTopNode() && node->children.size() >= 2) {
        CTreeNode* first = node->children.front().get();
        while (node->children.size() > 1)
            AppendOwned(first, TakeFromParent(node->children[1].get()));
    }
    return Erase(position);
}

void CTree::Clear()
{
    while (!root_->children.empty())
        Erase(Begin());
}

void CTree::Detach(CTreeIterator position)
{
    CTreeNode* node = position.GetNode();
    if (node == root_.get())
        return;
    AppendOwned(root_.get(), TakeFromParent(node));
    Changed();
}

bool CTree::InSameNet(CTreeIterator a, CTreeIterator b) const
{
    if (a == End() || b == End())
        return false;
    return a.TopNode() == b.TopNode();
}

void CTree::Reroot(CTreeIterator position)
{
    CTreeNode* node = position.GetNode();
    if (node == root_.get() || position.IsTopNode())
        return;
    std::vector<CTreeNode*> path; // node up to the top
    for (CTreeNode* n = node; n != root_.get(); n = n->parent)
        path.push_back(n);

    // Each cable keeps its colour: the link of a node that becomes the child
    // of its former child is the link that child had.
    const uint32_t topLink = path.back()->value.link;
    for (size_t i = path.size() - 1; i > 0; --i)
        path[i]->value.link = path[i - 1]->value.link;
    node->value.link = topLink;

    const size_t topIndex = IndexInParent(path.back());
    std::unique_ptr<CTreeNode> owner = TakeFromParent(path.back());
    for (size_t i = path.size() - 1; i > 0; --i) {
        std::unique_ptr<CTreeNode> child = TakeFromParent(path[i - 1]);
        AppendOwned(child.get(), std::move(owner));
        owner = std::move(child);
    }
    owner->parent = root_.get();
    root_->children.insert(root_->children.begin() + static_cast<std::ptrdiff_t>(topIndex), std::move(owner));
}

bool CTree::Attach(CTreeIterator node, CTreeIterator parent)
{
    if (node == End() || InSameNet(node, parent))
        return false;
    Reroot(node);
    AppendOwned(parent.GetNode(), TakeFromParent(node.GetNode()));
    Changed();
    return true;
}

void CTree::MakeTopNode(CTreeIterator position)
{
    Reroot(position);
    Changed();
}

void CTree::SetSubtreeColour(CTreeIterator node, uint32_t colour)
{
    if (node == End())
        return;
    const CTreeIterator stop = GetNextAfter(node);
    for (CTreeIterator it = node; it != stop; it.Advance())
        it.Value().link = colour;
}

bool CTree::RenumberModule(uint8_t oldModule, uint8_t newModule)
{
    bool changed = false;
    for (CTreeIterator it = Begin(); it != End(); it.Advance()) {
        if (it.Value().address.module == oldModule) {
            it.Value().address.module = newModule;
            changed = true;
        }
    }
    if (changed)
        Changed();
    return changed;
}

void CTree::CopyFrom(const CTree& other)
{
    if (&other == this)
        return;
    Clear();
    CopyChildren(*other.root_, *root_);
    Changed();
}

CTreeRange CTree::GetNetRange(const JackNodeValue& value) const
{
    const CTreeIterator node = Find(value);
    if (node == End())
        return CTreeRange(End(), End());
    const CTreeIterator top = node.TopNode();
    return CTreeRange(top.Next(), GetNextAfter(top));
}

CTreeRange CTree::GetBranchRange(const JackNodeValue& value) const
{
    CTreeIterator node = Find(value);
    if (node == End())
        return CTreeRange(End(), End());
    if (node.IsTopNode())
        return GetNetRange(value);
    while (!node.Parent().IsTopNode())
        node.MoveToParent();
    return CTreeRange(node, GetNextAfter(node));
}

CTreeRange CTree::GetSubtreeRange(const JackNodeValue& value) const
{
    const CTreeIterator node = Find(value);
    if (node == End())
        return CTreeRange(End(), End());
    const CTreeIterator stop = GetNextAfter(node);
    return CTreeRange(node.IsLeaf() ? stop : node.FirstChild(), stop);
}
