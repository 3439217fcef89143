#include "patch/Tree.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Jack n of these tests: module n, jack 0, input.
JackNodeValue J(int module, uint32_t colour = 0)
{
    JackNodeValue v;
    v.address = JackAddress{static_cast<uint8_t>(module), 0, 0};
    v.link = colour;
    return v;
}

void Dump(const CTreeNode& node, std::string& out)
{
    for (size_t i = 0; i < node.children.size(); ++i) {
        const CTreeNode& child = *node.children[i];
        if (i > 0)
            out += ' ';
        out += std::to_string(child.value.address.module);
        if (!child.children.empty()) {
            out += '(';
            Dump(child, out);
            out += ')';
        }
    }
}

// The forest as text: "1(2(4) 3) 5(6)".
std::string Shape(const CTree& tree)
{
    std::string out;
    Dump(*tree.End().GetNode(), out);
    return out;
}

using Edge = std::tuple<int, int, int>; // from module, to module, colour

std::vector<Edge> Edges(CTreeRange range)
{
    std::vector<Edge> edges;
    for (; !range.IsEmpty(); range.Next()) {
        const CableEntry e = range.GetEdge();
        edges.emplace_back(e.from.module, e.to.module, e.colour);
    }
    return edges;
}

// Cables without direction, for comparing a net before and after a re-root.
std::set<Edge> Undirected(const std::vector<Edge>& edges)
{
    std::set<Edge> set;
    for (auto [a, b, c] : edges)
        set.emplace(std::min(a, b), std::max(a, b), c);
    return set;
}

// 1(2(4) 3) 5(6), each node's cable coloured with its own module number.
void Build(CTree& tree)
{
    const CTreeIterator one = tree.AppendChild(tree.End(), J(1));
    const CTreeIterator two = tree.AppendChild(one, J(2, 2));
    tree.AppendChild(two, J(4, 4));
    tree.AppendChild(one, J(3, 3));
    const CTreeIterator five = tree.AppendChild(tree.End(), J(5));
    tree.AppendChild(five, J(6, 6));
}

} // namespace

TEST(JackTree, EmptyTreeHasNothingToFind)
{
    CTree tree;
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(tree.Begin(), tree.End());
    EXPECT_EQ(tree.Find(J(0)), tree.End()) << "the root's empty value is no jack";
    EXPECT_TRUE(tree.GetNetRange(J(1)).IsEmpty());
}

TEST(JackTree, IteratorMovesFollowPreOrder)
{
    CTree tree;
    Build(tree);
    ASSERT_EQ(Shape(tree), "1(2(4) 3) 5(6)");

    std::vector<int> order;
    for (CTreeIterator it = tree.Begin(); it != tree.End(); it.Advance())
        order.push_back(it.Value().address.module);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 4, 3, 5, 6}));

    const CTreeIterator two = tree.Find(J(2));
    const CTreeIterator three = tree.Find(J(3));
    const CTreeIterator four = tree.Find(J(4));
    EXPECT_EQ(two.NextSibling(), three);
    EXPECT_EQ(three.NextSibling(), tree.Find(J(1))) << "after the last sibling: the parent";
    EXPECT_EQ(four.FirstChild(), four) << "a leaf stays";
    EXPECT_EQ(four.TopNode(), tree.Find(J(1)));
    EXPECT_EQ(four.Parent(), two);
    EXPECT_EQ(tree.GetParentOf(two), tree.Find(J(1)));
    EXPECT_TRUE(tree.Find(J(5)).IsTopNode());
    EXPECT_FALSE(two.IsTopNode());
    EXPECT_TRUE(four.IsLeaf());
    EXPECT_EQ(tree.Find(J(1)).GetChildCount(), 2u);

    EXPECT_EQ(tree.GetNextAfter(two), three);
    EXPECT_EQ(tree.GetNextAfter(three), tree.Find(J(5)));
    EXPECT_EQ(tree.GetNextAfter(tree.Find(J(6))), tree.End());
    EXPECT_EQ(tree.FindBelow(two, J(4)), four);
    EXPECT_EQ(tree.FindBelow(two, J(2)), two);
    EXPECT_EQ(tree.FindBelow(two, J(3)), tree.End());
}

TEST(JackTree, EraseHandsChildrenTheErasedPlace)
{
    CTree tree;
    const CTreeIterator top = tree.AppendChild(tree.End(), J(1));
    tree.AppendChild(top, J(2));
    const CTreeIterator middle = tree.AppendChild(top, J(3));
    tree.AppendChild(middle, J(31));
    tree.AppendChild(middle, J(32));
    tree.AppendChild(top, J(4));
    ASSERT_EQ(Shape(tree), "1(2 3(31 32) 4)");

    CTreeIterator next = tree.Erase(tree.Find(J(3)));
    EXPECT_EQ(Shape(tree), "1(2 31 32 4)");
    EXPECT_EQ(next, tree.Find(J(31)));

    next = tree.Erase(tree.Find(J(32)));
    EXPECT_EQ(next, tree.Find(J(4))) << "a leaf is followed by its next sibling";
    next = tree.Erase(tree.Find(J(4)));
    EXPECT_EQ(next, tree.End()) << "the last leaf of the last net";
    EXPECT_EQ(tree.Erase(tree.End()), tree.End());
    EXPECT_EQ(Shape(tree), "1(2 31)");

    tree.Clear();
    EXPECT_TRUE(tree.IsEmpty());
}

TEST(JackTree, EraseKeepingNetMakesTheFirstChildTheTop)
{
    CTree tree;
    const CTreeIterator top = tree.AppendChild(tree.End(), J(1));
    const CTreeIterator a = tree.AppendChild(top, J(2));
    tree.AppendChild(a, J(21));
    tree.AppendChild(top, J(3));
    tree.AppendChild(top, J(4));
    tree.AppendChild(tree.End(), J(9));

    tree.EraseKeepingNet(top);
    EXPECT_EQ(Shape(tree), "2(21 3 4) 9");
    EXPECT_TRUE(tree.Find(J(2)).IsTopNode());

    // Below the top it erases like Erase.
    tree.EraseKeepingNet(tree.Find(J(21)));
    EXPECT_EQ(Shape(tree), "2(3 4) 9");
}

TEST(JackTree, AttachReRootsTheNetAndKeepsEveryCableOnce)
{
    CTree tree;
    Build(tree); // 1(2(4) 3) 5(6)
    const auto before = Undirected(Edges(tree.GetNetRange(J(1))));

    // Jack 4 sits in the middle of its net's path: the net is re-rooted there.
    ASSERT_TRUE(tree.Attach(tree.Find(J(4)), tree.Find(J(6))));
    tree.Find(J(4)).Value().link = 7; // the new cable's colour, as the caller sets it
    EXPECT_EQ(Shape(tree), "5(6(4(2(1(3)))))");

    const auto edges = Edges(tree.GetNetRange(J(3)));
    EXPECT_EQ(edges.size(), 5u) << "six jacks, five cables";
    auto expected = before;
    expected.emplace(5, 6, 6);
    expected.emplace(4, 6, 7);
    EXPECT_EQ(Undirected(edges), expected) << "every cable once, in its own colour";
    for (const JackNodeValue& v : {J(1), J(2), J(4), J(5), J(6)})
        EXPECT_EQ(Edges(tree.GetNetRange(v)), edges);
}

TEST(JackTree, JoinsWithinOneNetAreRefused)
{
    CTree tree;
    Build(tree);
    const std::string shape = Shape(tree);
    EXPECT_FALSE(tree.Attach(tree.Find(J(2)), tree.Find(J(3)))) << "siblings";
    EXPECT_FALSE(tree.Attach(tree.Find(J(1)), tree.Find(J(4)))) << "under its own descendant";
    EXPECT_FALSE(tree.Attach(tree.Find(J(4)), tree.Find(J(4)))) << "a jack to itself";
    EXPECT_FALSE(tree.Attach(tree.End(), tree.Find(J(4))));
    EXPECT_EQ(tree.AppendChild(tree.Find(J(6)), J(2)), tree.End()) << "a jack that already has a node";
    EXPECT_EQ(Shape(tree), shape);

    // A walk over every net still ends.
    int count = 0;
    for (CTreeIterator it = tree.Begin(); it != tree.End() && count < 100; it.Advance())
        ++count;
    EXPECT_EQ(count, 6);
}

TEST(JackTree, DetachAndMakeTopNodeReshapeNets)
{
    CTree tree;
    Build(tree);
    tree.AppendChild(tree.End(), J(7));

    tree.MakeTopNode(tree.Find(J(4)));
    EXPECT_EQ(Shape(tree), "4(2(1(3))) 5(6) 7") << "at the former top's place";
    EXPECT_EQ(Undirected(Edges(tree.GetNetRange(J(4)))), (std::set<Edge>{{2, 4, 4}, {1, 2, 2}, {1, 3, 3}}));

    tree.Detach(tree.Find(J(2)));
    EXPECT_EQ(Shape(tree), "4 5(6) 7 2(1(3))");
}

TEST(JackTree, ColoursRenumberingAndCopies)
{
    CTree tree;
    Build(tree);
    tree.SetSubtreeColour(tree.Find(J(2)), 5);
    EXPECT_EQ(Edges(tree.GetNetRange(J(1))), (std::vector<Edge>{{2, 1, 5}, {4, 2, 5}, {3, 1, 3}}));

    EXPECT_TRUE(tree.RenumberModule(4, 40));
    EXPECT_FALSE(tree.RenumberModule(99, 1));
    EXPECT_EQ(tree.Find(J(4)), tree.End());
    EXPECT_EQ(tree.Find(J(40)).Value().link, 5u);

    CTree copy;
    copy.AppendChild(copy.End(), J(77));
    copy.CopyFrom(tree);
    EXPECT_EQ(Shape(copy), Shape(tree));
    EXPECT_EQ(Edges(copy.GetNetRange(J(1))), Edges(tree.GetNetRange(J(1))));
    tree.Clear();
    EXPECT_EQ(Shape(copy), "1(2(40) 3) 5(6)") << "the copy owns its own nodes";
}

TEST(JackTree, RangesOfNetBranchAndSubtree)
{
    CTree tree;
    Build(tree); // 1(2(4) 3) 5(6)
    EXPECT_EQ(Edges(tree.GetNetRange(J(4))), (std::vector<Edge>{{2, 1, 2}, {4, 2, 4}, {3, 1, 3}}));
    EXPECT_EQ(Edges(tree.GetBranchRange(J(4))), (std::vector<Edge>{{2, 1, 2}, {4, 2, 4}}));
    EXPECT_EQ(Edges(tree.GetBranchRange(J(1))), Edges(tree.GetNetRange(J(1))));
    EXPECT_EQ(Edges(tree.GetSubtreeRange(J(2))), (std::vector<Edge>{{4, 2, 4}}));
    EXPECT_TRUE(tree.GetSubtreeRange(J(4)).IsEmpty());
    EXPECT_TRUE(tree.GetNetRange(J(99)).IsEmpty()) << "a jack in no net";

    CTree single;
    single.AppendChild(single.End(), J(1));
    EXPECT_TRUE(single.GetNetRange(J(1)).IsEmpty());
}
