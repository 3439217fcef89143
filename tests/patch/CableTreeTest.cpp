#include "tests/patch/CableApplier.h"
#include "tests/patch/FakeModule.h"

#include "patch/PatchError.h"
#include "patch/edit/EditPair.h"
#include "synth/molecules/CableMolecules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>

namespace {

// Signal kinds: logic 0, audio 1, control 2, slave 3; their cable colours
// are 2, 0, 1 and 3.
constexpr uint8_t kAudio = 1;
constexpr uint8_t kControl = 2;
constexpr uint8_t kLogic = 0;

JackAddress In(uint8_t module, uint8_t jack)
{
    return JackAddress{module, jack, 0};
}
JackAddress Out(uint8_t module, uint8_t jack)
{
    return JackAddress{module, jack, 1};
}

std::string Name(const JackAddress& j)
{
    return (j.IsOutput() ? "o" : "i") + std::to_string(j.module) + "." + std::to_string(j.jack);
}

// The cables as text, each "end-end:colour" with its ends in sorted order,
// the whole sorted: two trees with the same cables give the same text,
// whatever the shape of their nets.
std::string Cables(const CCableTree& tree)
{
    std::set<std::string> cables;
    for (CCableIterator it(tree); !it.AtEnd(); it.Next()) {
        const CableEntry c = it.GetCable();
        std::string a = Name(c.from);
        std::string b = Name(c.to);
        if (b < a)
            std::swap(a, b);
        cables.insert(a + "-" + b + ":" + std::to_string(c.colour));
    }
    std::string out;
    for (const std::string& c : cables)
        out += (out.empty() ? "" : " ") + c;
    return out;
}

// An area of five modules: 1 has an audio output, 2 a control output, 4 a
// logic output; 3 and 5 have inputs only. 20 and 21 have many inputs.
class CableTreeTest : public ::testing::Test {
protected:
    CableTreeTest()
    {
        Add(1, 2, {kAudio});
        Add(2, 2, {kControl});
        Add(3, 3, {});
        Add(4, 2, {kLogic});
        Add(5, 2, {});
    }

    void Add(uint8_t index, uint8_t inputs, std::vector<uint8_t> outputs)
    {
        tree.GetModules().Append(std::make_unique<CFakeModule>(index, inputs, std::move(outputs)));
    }

    void Connect(const JackAddress& a, const JackAddress& b, uint8_t colour) { tree.Connect({a, b, colour}); }

    // Builds an edit, applies its do list, and gives the cables between
    // applying it and applying its undo list (which must restore the tree).
    std::string DoAndUndo(const std::function<void(CEditPair&)>& build)
    {
        const std::string before = Cables(tree);
        CEditPair pair;
        build(pair);
        applier.Apply(pair.GetDo());
        const std::string after = Cables(tree);
        applier.Apply(pair.GetUndo());
        EXPECT_EQ(Cables(tree), before) << "undo of the edit that gave " << after;
        return after;
    }

    CCableTree tree{true, 1};
    CCableApplier applier{tree};
};

template <typename E> void ExpectError(const std::function<void()>& action, uint32_t code, const std::string& text)
{
    try {
        action();
        ADD_FAILURE() << "no error, expected " << text;
    } catch (const E& e) {
        EXPECT_EQ(e.GetCode(), code);
        EXPECT_EQ(e.GetText(), text);
    }
}

} // namespace

TEST_F(CableTreeTest, NewConnectionTakesTheColourOfItsOutput)
{
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeConnectEdit(p, Out(1, 0), In(3, 0)); }), "i3.0-o1.0:0");
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeConnectEdit(p, In(3, 0), Out(2, 0)); }), "i3.0-o2.0:1");
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeConnectEdit(p, Out(4, 0), In(3, 0)); }), "i3.0-o4.0:2");
    // Two inputs without other cables: no output, colour 6.
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeConnectEdit(p, In(3, 1), In(5, 0)); }), "i3.1-i5.0:6");
}

TEST_F(CableTreeTest, JoiningANetToAnOutputRecoloursTheWholeNetAndUndoRestoresIt)
{
    Connect(In(3, 0), In(5, 0), 6);
    Connect(In(5, 0), In(5, 1), 6);
    Connect(Out(2, 0), In(3, 2), 1);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeConnectEdit(p, In(3, 2), In(5, 1)); }),
              "i3.0-i5.0:1 i3.2-i5.1:1 i3.2-o2.0:1 i5.0-i5.1:1");

    CEditPair pair;
    tree.MakeConnectEdit(pair, In(5, 1), In(3, 2));
    // Two recolours, then the connection; undo deletes it first.
    ASSERT_EQ(pair.GetDo().GetCount(), 3u);
    const auto* connect = dynamic_cast<const CMCableConnect*>(&pair.GetDo().At(2));
    ASSERT_NE(connect, nullptr);
    EXPECT_EQ(connect->colour, 1);
    EXPECT_EQ(connect->removal, 0u);
    EXPECT_NE(dynamic_cast<const CMCableDelete*>(&pair.GetUndo().At(0)), nullptr);
}

TEST_F(CableTreeTest, DeletingCablesSplitsNetsAndDropsJacksWithoutCables)
{
    Connect(In(3, 0), In(3, 1), 6);
    tree.Disconnect({In(3, 1), In(3, 0), 0}); // ends in either order
    EXPECT_FALSE(tree.IsConnected(In(3, 0)));
    EXPECT_FALSE(tree.IsConnected(In(3, 1)));
    EXPECT_TRUE(tree.IsEmpty());

    // A-B, B-C, C-D: deleting B-C leaves A-B and C-D.
    Connect(In(3, 0), In(3, 1), 6);
    Connect(In(3, 1), In(3, 2), 6);
    Connect(In(3, 2), In(5, 0), 6);
    tree.Disconnect({In(3, 1), In(3, 2), 0});
    EXPECT_EQ(Cables(tree), "i3.0-i3.1:6 i3.2-i5.0:6");
    EXPECT_EQ(tree.GetCableCount(), 2u);
    // The two halves are separate nets again: they may be joined once more.
    Connect(In(3, 0), In(5, 0), 6);
    EXPECT_EQ(tree.GetCableCount(), 3u);
}

TEST_F(CableTreeTest, RefusedOperationsNameTheirCauseAndChangeNothing)
{
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(3, 1), 0);
    const std::string before = Cables(tree);
    ExpectError<XPDontExist>([&] { tree.Disconnect({In(5, 0), In(5, 1), 0}); }, 3, "Cable doesn't exist");
    // Both jacks have cables, but not one between them.
    ExpectError<XPDontExist>([&] { tree.Disconnect({Out(1, 0), In(3, 1), 0}); }, 3, "Cable doesn't exist");
    ExpectError<XPDontExist>([&] { tree.Connect({Out(1, 1), In(5, 0), 0}); }, 2, "Connector doesn't exist");
    ExpectError<XPDontExist>([&] { tree.Connect({In(5, 0), In(5, 2), 0}); }, 2, "Connector doesn't exist");
    ExpectError<XPDontExist>([&] { tree.Connect({Out(9, 0), In(5, 0), 0}); }, 0, "Module doesn't exist");
    EXPECT_EQ(Cables(tree), before);
}

TEST_F(CableTreeTest, JacksOfOneNetCannotBeJoinedAgain)
{
    // A loop would make walks of the net endless; files, the synthesizer and
    // the user's drag are all refused the same way.
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(3, 1), 0);
    Connect(In(3, 1), In(5, 0), 0);
    const std::string before = Cables(tree);
    for (const auto& [a, b] :
         {std::pair{Out(1, 0), In(5, 0)}, std::pair{In(3, 1), In(3, 0)}, std::pair{In(5, 1), In(5, 1)}}) {
        ExpectError<XPDoubleAssignment>([&] { tree.Connect({a, b, 0}); }, 6, "Jacks already connected");
        CEditPair pair;
        ExpectError<XPDoubleAssignment>([&] { tree.MakeConnectEdit(pair, a, b); }, 6, "Jacks already connected");
        EXPECT_TRUE(pair.GetDo().IsEmpty());
        EXPECT_TRUE(pair.GetUndo().IsEmpty());
    }
    EXPECT_EQ(Cables(tree), before);
}

TEST_F(CableTreeTest, AnAreaHoldsAtMost255Cables)
{
    Add(20, 200, {});
    Add(21, 100, {});
    // One long chain of 256 jacks: 255 cables.
    std::vector<JackAddress> chain;
    for (uint8_t j = 0; j < 200; ++j)
        chain.push_back(In(20, j));
    for (uint8_t j = 0; j < 56; ++j)
        chain.push_back(In(21, j));
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        Connect(chain[i], chain[i + 1], 6);
    ASSERT_EQ(tree.GetCableCount(), 255u);

    ExpectError<XPToMany>([&] { tree.Connect({In(21, 60), In(21, 61), 6}); }, 2, "Too many cables");
    CEditPair pair;
    ExpectError<XPToMany>([&] { tree.MakeConnectEdit(pair, In(21, 60), In(21, 61)); }, 2, "Too many cables");
    EXPECT_TRUE(pair.GetDo().IsEmpty());
    EXPECT_EQ(tree.GetCableCount(), 255u);

    CMCableDump dump(1);
    tree.FillCableDump(dump);
    EXPECT_EQ(dump.GetCables().size(), 255u);

    tree.Disconnect({chain[0], chain[1], 0});
    Connect(In(21, 60), In(21, 61), 6);
    EXPECT_EQ(tree.GetCableCount(), 255u);
}

TEST_F(CableTreeTest, RecolouringFindsACableByEitherOrderOfItsEnds)
{
    Connect(Out(1, 0), In(3, 0), 0);
    tree.Recolor({In(3, 0), Out(1, 0), 4});
    EXPECT_EQ(Cables(tree), "i3.0-o1.0:4");
    tree.Recolor({Out(1, 0), In(5, 0), 5}); // no such cable: nothing
    EXPECT_EQ(Cables(tree), "i3.0-o1.0:4");
}

TEST_F(CableTreeTest, DisconnectingAMiddleJackJoinsItsNeighbours)
{
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(5, 0), 0);
    Connect(In(3, 0), In(5, 1), 0);
    // The neighbour on the output's side is the pivot.
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDisconnectEdit(p, In(3, 0)); }), "i5.0-o1.0:0 i5.1-o1.0:0");
    // Taking the output away leaves the rest as one net of colour 6.
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDisconnectEdit(p, Out(1, 0)); }), "i3.0-i5.0:6 i3.0-i5.1:6");
    // A jack without cables gives an empty edit.
    CEditPair pair;
    tree.MakeDisconnectEdit(pair, In(3, 2));
    EXPECT_TRUE(pair.IsEmpty());
}

TEST_F(CableTreeTest, BreakCutsAtTheJackAndTheCutOffPartLosesItsColour)
{
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(5, 0), 0);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeBreakEdit(p, In(3, 0)); }), "i3.0-i5.0:6");
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeBreakEdit(p, In(5, 0)); }), "i3.0-o1.0:0");
}

TEST_F(CableTreeTest, MovingACableEndKeepsTheNetAndTakesTheNewOutputsColour)
{
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(5, 0), 0);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeMoveCableEndEdit(p, In(5, 0), In(5, 1)); }),
              "i3.0-i5.1:0 i3.0-o1.0:0");
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeMoveCableEndEdit(p, Out(1, 0), Out(2, 0)); }),
              "i3.0-i5.0:1 i3.0-o2.0:1");
    // Moving an end onto a jack of its own net would close a loop: nothing.
    CEditPair pair;
    tree.MakeMoveCableEndEdit(pair, In(5, 0), Out(1, 0));
    EXPECT_TRUE(pair.IsEmpty());
}

TEST_F(CableTreeTest, DeleteAndRecolourWorkOnTheJacksBranch)
{
    // Two branches below the output: 3.0 (with 5.0 below it) and 3.1.
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(5, 0), 0);
    Connect(Out(1, 0), In(3, 1), 0);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDeleteEdit(p, In(5, 0)); }), "i3.1-o1.0:0");
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeRecolorEdit(p, In(5, 0), 3); }),
              "i3.0-i5.0:3 i3.0-o1.0:3 i3.1-o1.0:0");
    // At the top of the net the branch is the whole net.
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDeleteEdit(p, Out(1, 0)); }), "");
}

TEST_F(CableTreeTest, DeletingModulesTakesTheirCablesAndRejoinsTheRest)
{
    // A star from the output of 1 to 3.0, 4.0 and 5.0.
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(Out(1, 0), In(4, 0), 0);
    Connect(Out(1, 0), In(5, 0), 0);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDeleteModulesCables(p, {1}); }), "i3.0-i4.0:6 i3.0-i5.0:6");

    // Two jacks of one module in a chain: the jacks around them are joined.
    tree.RemoveAll();
    Add(1, 2, {kAudio});
    Add(3, 3, {});
    Add(5, 2, {});
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(3, 1), 0);
    Connect(In(3, 1), In(5, 0), 0);
    EXPECT_EQ(DoAndUndo([&](CEditPair& p) { tree.MakeDeleteModulesCables(p, {3}); }), "i5.0-o1.0:0");

    // Every cable molecule of the edit carries the removal flag.
    CEditPair pair;
    tree.MakeDeleteModulesCables(pair, {3});
    for (const CMoleculePacket* packet : {&pair.GetDo(), &pair.GetUndo()})
        for (CMolecule* m : *packet) {
            if (const auto* c = dynamic_cast<const CMCableConnect*>(m)) {
                EXPECT_EQ(c->removal, 1u);
            }
            if (const auto* d = dynamic_cast<const CMCableDelete*>(m)) {
                EXPECT_EQ(d->removal, 1u);
            }
        }
}

TEST_F(CableTreeTest, EveryEditAtEveryJackOfABranchedNetIsUndoneExactly)
{
    // A net with two outputs, inputs in several branches and a second net:
    // each builder at each jack must give an edit whose undo restores all.
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(3, 1), 0);
    Connect(In(3, 1), In(5, 0), 0);
    Connect(Out(1, 0), In(4, 0), 0);
    Connect(In(4, 0), In(4, 1), 0);
    Connect(In(3, 2), Out(2, 0), 1);
    Connect(In(3, 2), In(5, 1), 1);
    const std::vector<JackAddress> jacks = {Out(1, 0), In(3, 0), In(3, 1),  In(5, 0), In(4, 0),
                                            In(4, 1),  In(3, 2), Out(2, 0), In(5, 1)};
    for (const JackAddress& j : jacks) {
        SCOPED_TRACE(Name(j));
        DoAndUndo([&](CEditPair& p) { tree.MakeDisconnectEdit(p, j); });
        DoAndUndo([&](CEditPair& p) { tree.MakeBreakEdit(p, j); });
        DoAndUndo([&](CEditPair& p) { tree.MakeDeleteEdit(p, j); });
        DoAndUndo([&](CEditPair& p) { tree.MakeRecolorEdit(p, j, 5); });
        DoAndUndo([&](CEditPair& p) { tree.MakeMoveCableEndEdit(p, j, Out(4, 0)); });
        DoAndUndo([&](CEditPair& p) { tree.MakeDeleteModulesCables(p, {j.module}); });
    }
    DoAndUndo([&](CEditPair& p) { tree.MakeDeleteModulesCables(p, {1, 3, 4, 5}); });
    EXPECT_EQ(tree.GetCableCount(), 7u);
}

TEST_F(CableTreeTest, CopyForModulesClonesModulesAndCables)
{
    tree.GetModules().Find(3)->SetName("Mix");
    Connect(Out(1, 0), In(3, 0), 0);
    const std::unique_ptr<CCableTree> copy = tree.CopyForModules();
    EXPECT_EQ(copy->GetModules().GetCount(), 5u);
    EXPECT_NE(copy->GetModules().Find(3), tree.GetModules().Find(3));
    EXPECT_EQ(copy->GetModules().Find(3)->GetName(), "Mix");
    EXPECT_EQ(Cables(*copy), Cables(tree));
    // 3 words of dynamic memory per cable, plus the modules' own.
    static_cast<CFakeModule*>(tree.GetModules().Find(1))->load[9] = 40;
    EXPECT_EQ(tree.ComputeMemorySize(), 43u);
    EXPECT_EQ(copy->GetModuleCables(3).size(), 1u);
}

TEST_F(CableTreeTest, PendingRequestsStartSet)
{
    EXPECT_TRUE(tree.AreModulesPending());
    EXPECT_TRUE(tree.AreCablesPending());
    // Custom data is asked for too; nothing else would ever set the flag.
    EXPECT_TRUE(tree.IsCustomDataPending());
    tree.ClearPendingFlags();
    EXPECT_FALSE(tree.AreModulesPending() || tree.AreCablesPending() || tree.IsCustomDataPending());
}

TEST_F(CableTreeTest, ChangesMadeThroughTheGenericTreeAreSeenByTheCableOperations)
{
    Connect(Out(1, 0), In(3, 0), 0);
    Connect(In(3, 0), In(5, 0), 0);
    // A clip renumbers its modules and erases jacks of modules it lacks.
    tree.RenumberModule(5, 4);
    EXPECT_FALSE(tree.IsConnected(In(5, 0)));
    EXPECT_TRUE(tree.IsConnected(In(4, 0)));
    CTree& generic = tree;
    generic.Erase(generic.Find(JackNodeValue{In(4, 0), 0}));
    EXPECT_FALSE(tree.IsConnected(In(4, 0)));
    EXPECT_EQ(tree.GetCableCount(), 1u);
    Connect(In(3, 0), In(4, 1), 0);
    EXPECT_EQ(Cables(tree), "i3.0-i4.1:0 i3.0-o1.0:0");
}
