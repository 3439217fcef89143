#include "tests/support/patch/PatchTestFixture.h"

#include "patch/edit/EditPair.h"
#include "patch/maps/AssignMapIterator.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/AssignMolecules.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr uint8_t kClip = 61; // three parameters, all morphable

ParamAddress P(uint8_t module, uint8_t param, int32_t area = 1)
{
    return ParamAddress{area, module, param};
}

class AssignMapsTest : public testsupport::PatchTestFixture {
protected:
    AssignMapsTest() { AddModules(1, {{1, kClip}, {2, kClip}, {3, kClip}}); }

    // Builds an edit the way a control's assignment menu does and executes it.
    void Edit(const std::function<void(CEditPair&)>& build)
    {
        auto pair = std::make_unique<CEditPair>();
        build(*pair);
        patch.ExecuteEdit(std::move(pair));
    }

    uint8_t CtrlOf(const ParamAddress& key) const
    {
        uint8_t value = CCtrlMap::kNone;
        patch.GetCtrlMap().FindByParam(key, value);
        return value;
    }
    uint8_t KnobOf(const ParamAddress& key) const
    {
        uint8_t value = CKnobMap::kNone;
        patch.GetKnobMap().FindByParam(key, value);
        return value;
    }
    std::pair<uint8_t, int32_t> MorphOf(const ParamAddress& key) const
    {
        uint8_t group = CMorphMap::kNoGroup;
        int32_t range = 0;
        patch.GetMorphMap().FindByParam(key, group, range);
        return {group, range};
    }
};

} // namespace

TEST_F(AssignMapsTest, AssigningATakenControllerMovesItAndUndoGivesItBack)
{
    Edit([&](CEditPair& p) { patch.GetCtrlMap().MakeAssignMolecules(p, P(1, 0), 7); });
    Edit([&](CEditPair& p) { patch.GetCtrlMap().MakeAssignMolecules(p, P(2, 1), 9); });
    // P(2,1) takes 7 from P(1,0) and gives up its own 9.
    Edit([&](CEditPair& p) { patch.GetCtrlMap().MakeAssignMolecules(p, P(2, 1), 7); });
    EXPECT_EQ(CtrlOf(P(2, 1)), 7);
    EXPECT_EQ(CtrlOf(P(1, 0)), CCtrlMap::kNone);
    EXPECT_FALSE(patch.GetCtrlMap().FindByCtrl(9));

    patch.Undo();
    EXPECT_EQ(CtrlOf(P(1, 0)), 7);
    EXPECT_EQ(CtrlOf(P(2, 1)), 9);
    patch.Redo();
    EXPECT_EQ(CtrlOf(P(2, 1)), 7);
    EXPECT_EQ(patch.GetCtrlMap().GetCount(), 1u);
}

TEST_F(AssignMapsTest, DisableOnlyRemovesThePresentAssignment)
{
    Edit([&](CEditPair& p) { patch.GetKnobMap().MakeAssignMolecules(p, P(1, 2), 3); });
    Edit([&](CEditPair& p) { patch.GetKnobMap().MakeAssignMolecules(p, P(2, 0), 19); });
    CEditPair pair;
    patch.GetKnobMap().MakeAssignMolecules(pair, P(1, 2), CKnobMap::kNone);
    ASSERT_EQ(pair.GetDo().GetCount(), 1u);
    EXPECT_NE(dynamic_cast<const CMKnobDeassign*>(&pair.GetDo().At(0)), nullptr);

    Edit([&](CEditPair& p) { patch.GetKnobMap().MakeAssignMolecules(p, P(1, 2), CKnobMap::kNone); });
    EXPECT_EQ(KnobOf(P(1, 2)), CKnobMap::kNone);
    EXPECT_EQ(KnobOf(P(2, 0)), 19);
    patch.Undo();
    EXPECT_EQ(KnobOf(P(1, 2)), 3);

    // A controller's "none" likewise builds nothing for an unassigned parameter.
    CEditPair none;
    patch.GetCtrlMap().MakeAssignMolecules(none, P(3, 0), CCtrlMap::kNone);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(AssignMapsTest, MorphReassignmentKeepsTheRangeAndTakesTheSecondParameterAlong)
{
    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeAssignMolecules(p, P(1, 0), 1, 10); });
    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeAssignMolecules(p, P(1, 0), 2, 50, P(1, 1)); });
    EXPECT_EQ(MorphOf(P(1, 0)), std::make_pair(uint8_t{2}, int32_t{10}));
    EXPECT_EQ(MorphOf(P(1, 1)), std::make_pair(uint8_t{2}, int32_t{50}));

    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeAssignMolecules(p, P(1, 0), CMorphMap::kNoGroup, 0, P(1, 1)); });
    EXPECT_TRUE(patch.GetMorphMap().GetEntries().empty());
    patch.Undo();
    patch.Undo();
    EXPECT_EQ(MorphOf(P(1, 0)), std::make_pair(uint8_t{1}, int32_t{10}));
    EXPECT_EQ(MorphOf(P(1, 1)).first, CMorphMap::kNoGroup);
}

TEST_F(AssignMapsTest, AKeyboardAssignmentBelongsToOneGroup)
{
    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeKeyboardAssignMolecules(p, 0, 1); });
    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeKeyboardAssignMolecules(p, 2, 1); });
    EXPECT_EQ(patch.GetMorphMap().GetKeyboardAssign(0), 0u);
    EXPECT_EQ(patch.GetMorphMap().GetKeyboardAssign(2), 1u);
    patch.Undo();
    EXPECT_EQ(patch.GetMorphMap().GetKeyboardAssign(0), 1u);
    EXPECT_EQ(patch.GetMorphMap().GetKeyboardAssign(2), 0u);
}

TEST_F(AssignMapsTest, DeassigningAModuleRemovesEveryKindAndUndoRestoresThem)
{
    Edit([&](CEditPair& p) { patch.GetKnobMap().MakeAssignMolecules(p, P(2, 0), 4); });
    Edit([&](CEditPair& p) { patch.GetCtrlMap().MakeAssignMolecules(p, P(2, 1), 12); });
    Edit([&](CEditPair& p) { patch.GetMorphMap().MakeAssignMolecules(p, P(2, 2), 3, -20); });
    Edit([&](CEditPair& p) { patch.GetCtrlMap().MakeAssignMolecules(p, P(3, 1), 13); });

    auto pair = std::make_unique<CEditPair>();
    patch.GetKnobMap().MakeDeassignMolecules(*pair, 1, 2);
    patch.GetCtrlMap().MakeDeassignMolecules(*pair, 1, 2);
    patch.GetMorphMap().MakeDeassignMolecules(*pair, 1, 2);
    for (const CMoleculePacket* packet : {&pair->GetDo(), &pair->GetUndo()})
        for (CMolecule* m : *packet)
            if (const auto* morph = dynamic_cast<const CMMorphAssign*>(m)) {
                EXPECT_EQ(morph->removal, 1u);
            }
    patch.ExecuteEdit(std::move(pair));
    EXPECT_EQ(KnobOf(P(2, 0)), CKnobMap::kNone);
    EXPECT_EQ(CtrlOf(P(2, 1)), CCtrlMap::kNone);
    EXPECT_EQ(MorphOf(P(2, 2)).first, CMorphMap::kNoGroup);
    EXPECT_EQ(CtrlOf(P(3, 1)), 13); // another module keeps its own

    patch.Undo();
    EXPECT_EQ(KnobOf(P(2, 0)), 4);
    EXPECT_EQ(CtrlOf(P(2, 1)), 12);
    EXPECT_EQ(MorphOf(P(2, 2)), std::make_pair(uint8_t{3}, int32_t{-20}));
}

TEST_F(AssignMapsTest, ControllerMapDumpsAreCorrectedAndReportedOnce)
{
    struct Case {
        std::vector<std::pair<ParamAddress, uint8_t>> entries;
        std::vector<std::pair<ParamAddress, uint8_t>> kept;
        std::string error;
    };
    const Case cases[] = {
        {{{P(1, 0), 7}, {P(2, 0), 11}}, {{P(1, 0), 7}, {P(2, 0), 11}}, ""},
        // Sustain (64) cannot be assigned: the rest stays.
        {{{P(1, 0), 7}, {P(2, 0), 64}}, {{P(1, 0), 7}}, "Ctrl assignment problem"},
        // A shared controller stays with the first parameter; an absent
        // module's entry goes.
        {{{P(1, 0), 7}, {P(2, 0), 7}, {P(9, 0), 8}}, {{P(1, 0), 7}}, "Ctrl assignment problem"},
        // Every kind of fault at once: all are taken out, one error.
        {{{P(1, 0), 7}, {P(2, 0), 7}, {P(3, 0), 64}, {P(3, 1), 8}},
         {{P(1, 0), 7}, {P(3, 1), 8}},
         "Ctrl assignment problem"},
        // The morph container's group knobs exist.
        {{{ParamAddress{2, 1, 3}, 20}, {ParamAddress{2, 1, 4}, 21}},
         {{ParamAddress{2, 1, 3}, 20}},
         "Ctrl assignment problem"},
    };
    for (const Case& c : cases) {
        auto dump = std::make_unique<CMCtrlMapDump>();
        for (const auto& [key, controller] : c.entries)
            dump->AddAssignment(key, controller);
        EXPECT_EQ(ApplyForError(std::move(dump)), c.error);
        EXPECT_FALSE(patch.GetCtrlMap().IsChanged());
        std::vector<std::pair<ParamAddress, uint8_t>> kept(patch.GetCtrlMap().GetEntries().begin(),
                                                           patch.GetCtrlMap().GetEntries().end());
        EXPECT_EQ(kept, c.kept);
    }
}

TEST_F(AssignMapsTest, KnobMapDumpsLoseKnobsOfAbsentParameters)
{
    auto dump = std::make_unique<CMKnobMapDump>();
    dump->SetAssignment(0, P(1, 0));
    dump->SetAssignment(19, P(2, 1));
    dump->SetAssignment(5, P(1, 7)); // Clip has three parameters
    EXPECT_EQ(ApplyForError(std::move(dump)), "Knob assignment problem");
    EXPECT_EQ(KnobOf(P(1, 0)), 0);
    EXPECT_EQ(KnobOf(P(2, 1)), 19);
    EXPECT_EQ(patch.GetKnobMap().GetCount(), 2u);

    // One parameter on two knobs keeps neither.
    auto twice = std::make_unique<CMKnobMapDump>();
    twice->SetAssignment(1, P(3, 0));
    twice->SetAssignment(2, P(3, 0));
    twice->SetAssignment(3, P(3, 1));
    EXPECT_EQ(ApplyForError(std::move(twice)), "Knob assignment problem");
    EXPECT_EQ(KnobOf(P(3, 1)), 3);
}

TEST_F(AssignMapsTest, MorphMapDumpsKeepThe25HighestKeysAndOneKeyboardOwner)
{
    AddModules(1, {{4, kClip}, {5, kClip}, {6, kClip}, {7, kClip}, {8, kClip}, {9, kClip}});
    auto dump = std::make_unique<CMMorphMapDump>();
    std::vector<ParamAddress> keys;
    for (uint8_t module = 1; module <= 9; ++module)
        for (uint8_t param = 0; param < 3; ++param)
            keys.push_back(P(module, param));
    ASSERT_EQ(keys.size(), 27u);
    for (const ParamAddress& key : keys)
        dump->AddAssignment(key, 1, 5);
    dump->SetKeyboardAssignment(0, 1);
    dump->SetKeyboardAssignment(3, 1);
    EXPECT_EQ(ApplyForError(std::move(dump)), "Morph assignment problem");

    const CMorphMap& map = patch.GetMorphMap();
    ASSERT_EQ(map.GetEntries().size(), 25u);
    EXPECT_EQ(map.GetEntries().begin()->first, keys[2]);
    EXPECT_EQ(map.GetKeyboardAssign(0), 1u);
    EXPECT_EQ(map.GetKeyboardAssign(3), 0u);

    // The map as a dump again, walked in key order.
    const std::unique_ptr<CMMorphMapDump> again = map.MakeDump();
    EXPECT_EQ(again->GetEntries().size(), 25u);
    AssignMapIterator it;
    it.Begin(map);
    size_t walked = 0;
    for (; !it.AtEnd(); it.Next(), ++walked) {
        EXPECT_EQ(it.GetKey(), keys[walked + 2]);
        EXPECT_EQ(it.GetGroup(), 1);
        EXPECT_EQ(it.GetRange(), 5);
    }
    EXPECT_EQ(walked, 25u);
}

TEST_F(AssignMapsTest, AMissingMapIsRequestedUntilItsDumpArrives)
{
    struct Host final : CMapHostInterface {
        bool HasParam(const ParamAddress&) const override { return true; }
        bool CanMorph(const ParamAddress&) const override { return true; }
        void SendOnly(CMoleculePacket& packet) override
        {
            const CMolecule& m = packet.At(0);
            sent += dynamic_cast<const CMCtrlMapRequest*>(&m) ? "c"
                : dynamic_cast<const CMKnobMapRequest*>(&m)   ? "k"
                : dynamic_cast<const CMMorphMapRequest*>(&m)  ? "m"
                                                              : "?";
        }
        std::string sent;
    } host;
    CKnobMap knobs;
    CCtrlMap ctrls;
    CMorphMap morphs;
    EXPECT_TRUE(ctrls.RequestIfMissing(host));
    EXPECT_TRUE(knobs.RequestIfMissing(host));
    EXPECT_TRUE(morphs.RequestIfMissing(host));
    EXPECT_EQ(host.sent, "ckm");
    knobs.ReplaceFrom(CMKnobMapDump());
    EXPECT_FALSE(knobs.RequestIfMissing(host));
    EXPECT_EQ(host.sent.size(), 3u);
}

TEST_F(AssignMapsTest, AssignmentsNoDumpCouldHoldAreRefusedSoThePatchStaysSavable)
{
    // Fields of these messages are wider than their ranges: a knob takes 5
    // bits, a controller 7, a morph group a byte.
    Apply(std::make_unique<CMKnobAssign>(P(1, 0), 30));
    Apply(std::make_unique<CMKnobAssign>(P(1, 1), CKnobMap::kNone));
    Apply(std::make_unique<CMCtrlAssign>(P(1, 2), 64));
    Apply(std::make_unique<CMCtrlAssign>(P(2, 0), 125));
    Apply(std::make_unique<CMMorphAssign>(P(2, 1), 7, 10, 0));
    EXPECT_EQ(patch.GetKnobMap().GetCount(), 0u);
    EXPECT_EQ(patch.GetCtrlMap().GetCount(), 0u);
    EXPECT_TRUE(patch.GetMorphMap().GetEntries().empty());

    Apply(std::make_unique<CMKnobAssign>(P(1, 0), 22));
    Apply(std::make_unique<CMCtrlAssign>(P(1, 2), 1));
    Apply(std::make_unique<CMMorphAssign>(P(2, 1), 3, 10, 0));
    CMoleculePacket dumps;
    EXPECT_NO_THROW(patch.BuildPatchDump(dumps));
    EXPECT_EQ(KnobOf(P(1, 0)), 22);
    EXPECT_EQ(CtrlOf(P(1, 2)), 1);
    EXPECT_EQ(MorphOf(P(2, 1)).first, 3);
}
